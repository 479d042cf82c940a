// Help files through the shell, and the system's message box.
#include <windows.h>

#include <shellapi.h>

#include <mutex>

#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"

namespace platform
{
namespace
{

std::mutex gOpenerMutex;
std::string gOpener;

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The file's URL with the section as its fragment, so a browser opens the manual there.
std::string FileUrl(const std::string& path, const std::string& section)
{
    std::string url = "file:///";
    for (const char c : path)
        url += c == '\\' ? '/' : c;
    if (!section.empty())
        url += "#" + section;
    return url;
}

} // namespace

void SetHelpOpener(const std::string& program)
{
    std::lock_guard<std::mutex> lock(gOpenerMutex);
    gOpener = program;
}

void OpenHelpFile(const std::string& path, const std::string& section)
{
    if (!FileExists(path))
        return;
    std::string opener;
    {
        std::lock_guard<std::mutex> lock(gOpenerMutex);
        opener = gOpener;
    }
    const std::string target = section.empty() ? path : FileUrl(path, section);
    if (!opener.empty())
    {
        const std::string argument = "\"" + target + "\"";
        ShellExecuteA(nullptr, "open", opener.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL);
        return;
    }
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    const int pressed = MessageBoxA(nullptr, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
    // Without a desktop no box can be shown; the message has still been logged by the caller.
    return pressed == 0 ? kIdOk : pressed;
}

} // namespace platform
