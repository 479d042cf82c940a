#include "platform/SplashScreen.h"

#include <atomic>

namespace platform
{

namespace
{
std::atomic<int> requests{0};
} // namespace

void ShowSplashScreen(const std::string& skinFile, void* parentWindow)
{
    ++requests;
}

int SplashScreenRequests()
{
    return requests.load();
}

} // namespace platform
