#include <windows.h>

#include "platform/SharedLibrary.h"

namespace platform
{

void* OpenSharedLibrary(const std::string& path, std::string* error)
{
    // Never freed: a plug-in may leave a background thread running inside its code.
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr && error != nullptr)
    {
        const DWORD code = GetLastError();
        char text[512] = {};
        const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, code, 0, text, sizeof text, nullptr);
        std::string reason(text, length);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
            reason.pop_back();
        *error = "cannot load " + path + " (error " + std::to_string(code) + (reason.empty() ? "" : ": ") +
                 reason + ")";
    }
    return library;
}

void* FindSymbol(void* library, const char* name)
{
    if (library == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace platform
