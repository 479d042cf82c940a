#pragma once
// What the module's window procedure hands each message to: the object that made the window,
// found through the window's user data.
#include <windows.h>

namespace platform
{

class Win32MessageTarget
{
public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~Win32MessageTarget() = default;
};

} // namespace platform
