// The module's file name, found once by the system's own search and kept, or set by a test or tool.
#include <mutex>

#include "platform/ModuleSearch.h"
#include "platform/Platform.h"

namespace platform
{
namespace
{

std::mutex gModuleMutex;
std::string gOverride;
std::string gFound;
bool gSearched = false;

} // namespace

std::string ModuleFileName()
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    if (!gOverride.empty())
        return gOverride;
    // The module does not move while it is loaded.
    if (!gSearched)
    {
        gFound = FindModuleFileName();
        gSearched = true;
    }
    return gFound;
}

void SetModuleFileName(const std::string& path)
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    gOverride = path;
}

} // namespace platform
