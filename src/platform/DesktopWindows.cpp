// Help files through HTML Help or the shell, and the system's message box.
#include <windows.h>

#include <shellapi.h>

#include <mutex>

#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"

namespace platform
{
namespace
{

constexpr UINT kHelpContextCommand = 15;

std::mutex gOpenerMutex;
std::string gOpener;

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// HTML Help's viewer at the given context; false when the control is missing or cannot show the file.
bool OpenWithHtmlHelp(const std::string& path, int context)
{
    using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    // Loaded once and kept: the viewer's window lives on after this call returns.
    static HMODULE control = LoadLibraryA("hhctrl.ocx");
    if (control == nullptr)
        return false;
    const auto htmlHelp =
        reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(control, "HtmlHelpA")));
    return htmlHelp != nullptr &&
           htmlHelp(nullptr, path.c_str(), kHelpContextCommand, static_cast<DWORD_PTR>(context)) != nullptr;
}

} // namespace

void SetHelpOpener(const std::string& program)
{
    std::lock_guard<std::mutex> lock(gOpenerMutex);
    gOpener = program;
}

void OpenHelpFile(const std::string& path, int context)
{
    if (!FileExists(path))
        return;
    std::string opener;
    {
        std::lock_guard<std::mutex> lock(gOpenerMutex);
        opener = gOpener;
    }
    if (!opener.empty())
    {
        const std::string argument = "\"" + path + "\"";
        ShellExecuteA(nullptr, "open", opener.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL);
        return;
    }
    if (!OpenWithHtmlHelp(path, context))
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    const int pressed = MessageBoxA(nullptr, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
    // Without a desktop no box can be shown; the message has still been logged by the caller.
    return pressed == 0 ? kIdOk : pressed;
}

} // namespace platform
