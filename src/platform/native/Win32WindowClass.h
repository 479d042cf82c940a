#pragma once
// The window classes of this module (the plug-in DLL or a program): registered with the module's own
// instance on first use, so that two plug-ins in one host never share a window procedure, and
// unregistered when the module is unloaded. The one window procedure finds the Win32MessageTarget
// that made the window through the window's user data, set from the creation data.
#include <windows.h>

namespace platform
{

class Win32WindowClass
{
public:
    // The class for toolkit windows (double clicks) and the one for pop-ups (drop shadow, no double
    // clicks); each registered the first time it is asked for. Null when registration fails.
    static const char* Window();
    static const char* Popup();
    // The instance of the module holding this code, not of the program that loaded it.
    static HINSTANCE ModuleInstance();
};

} // namespace platform
