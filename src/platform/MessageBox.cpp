#include <atomic>
#include <cstdio>

#include "platform/Platform.h"

namespace platform
{
namespace
{

std::atomic<MessageBoxHandler> gHandler{nullptr};

} // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    const MessageBoxHandler handler = gHandler.load();
    if (handler != nullptr)
        return handler(text, caption, style);
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    return kIdOk;
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    gHandler.store(handler);
}

} // namespace platform
