// Finds the DLL (or program) that holds this code from the address of a function inside it, so that a
// plug-in finds its files wherever the host loaded it from.
#include <windows.h>

#include "platform/ModuleSearch.h"
#include "platform/Platform.h"

namespace platform
{
namespace
{

// A function whose address lies inside this module.
void Anchor() {}

} // namespace

std::string FindModuleFileName()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&Anchor), &module))
    {
        return std::string();
    }
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    // A host that loaded the DLL by its short (8.3) name still gets the files named after the long one; when
    // the conversion fails the name stays as the system gave it.
    GetLongPathNameA(path, path, MAX_PATH);
    return path;
}

const char* PathSeparators()
{
    return "\\/";
}

} // namespace platform
