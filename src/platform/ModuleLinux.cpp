// Finds the shared object that holds this code from the address of a function
// inside it, so that a plug-in finds its files wherever the host loaded it from.
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>

#include "platform/ModuleSearch.h"
#include "platform/Platform.h"

namespace platform
{
namespace
{

std::string CanonicalPath(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return std::string();
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr)
        return std::string();
    std::string text(resolved);
    std::free(resolved);
    return text;
}

// A function whose address lies inside this module.
void Anchor() {}

} // namespace

std::string FindModuleFileName()
{
    Dl_info info{};
    struct link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&Anchor), &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) ==
        0)
    {
        return CanonicalPath("/proc/self/exe");
    }
    // The program itself has an empty name in the link map; its path comes from
    // the kernel rather than from argv[0], which may be relative or bare.
    if (map != nullptr && (map->l_name == nullptr || map->l_name[0] == '\0'))
    {
        return CanonicalPath("/proc/self/exe");
    }
    // A shared object that cannot be resolved (its file was removed after
    // loading) keeps the name it was loaded by: still the right folder.
    const std::string path = CanonicalPath(info.dli_fname);
    if (!path.empty() || info.dli_fname == nullptr)
        return path;
    return info.dli_fname;
}

const char* PathSeparators()
{
    return "/";
}

} // namespace platform
