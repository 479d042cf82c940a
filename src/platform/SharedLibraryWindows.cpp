#include <windows.h>

#include "platform/SharedLibrary.h"

namespace platform
{
namespace
{

std::string SystemMessage(DWORD code)
{
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        code, 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return "error " + std::to_string(code) + (reason.empty() ? "" : ": ") + reason;
}

// Paths come in the system's ANSI code page, as the module's own file name does.
std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// Why the library beside the module could not be loaded, in words a user can act on.
std::string BesideReason(const std::wstring& path, DWORD code)
{
    const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exists)
        return "not there";
    if (code == ERROR_BAD_EXE_FORMAT)
        return "it is built for another processor: a 32-bit host needs the 32-bit library, a 64-bit host "
               "the 64-bit one (" +
               SystemMessage(code) + ")";
    if (code == ERROR_MOD_NOT_FOUND)
        return "a library it needs is not beside it (" + SystemMessage(code) + ")";
    return SystemMessage(code);
}

std::string LoadedFrom(HMODULE library)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(library, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

} // namespace

void* OpenSharedLibrary(const std::string& path, std::string* error)
{
    // Never freed: a plug-in may leave a background thread running inside its code.
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr && error != nullptr)
        *error = "cannot load " + path + " (" + SystemMessage(GetLastError()) + ")";
    return library;
}

void* FindSymbol(void* library, const char* name)
{
    if (library == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library)
{
    if (library != nullptr)
        FreeLibrary(static_cast<HMODULE>(library));
}

void* OpenLibraryBeside(const std::string& folder, const std::string& fileName, std::string* where,
                        std::string* error)
{
    const std::string besidePath = folder + fileName;
    const std::wstring beside = Wide(besidePath);
    // With the altered search path the libraries it needs are looked for in its own folder first.
    HMODULE library =
        beside.empty() ? nullptr : LoadLibraryExW(beside.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr)
    {
        const DWORD besideCode = GetLastError();
        const std::wstring name = Wide(fileName);
        library = name.empty() ? nullptr : LoadLibraryExW(name.c_str(), nullptr, 0);
        if (library == nullptr && error != nullptr)
            *error = "looked for " + fileName + " in " + folder + ": " + BesideReason(beside, besideCode) +
                     "; then on the system's search path: " + SystemMessage(GetLastError());
    }
    if (library != nullptr && where != nullptr)
        *where = LoadedFrom(library);
    return library;
}

} // namespace platform
