#include "platform/native/Win32NativePopup.h"

#include <windowsx.h>

#include "platform/native/NativeWindow.h"
#include "platform/native/Win32Presenter.h"
#include "platform/native/Win32WindowClass.h"

namespace platform
{

Win32NativePopup::Win32NativePopup(HWND ownerWindow) : owner(ownerWindow) {}

Win32NativePopup::~Win32NativePopup()
{
    if (window)
        DestroyWindow(window);
}

bool Win32NativePopup::EnsureWindow()
{
    if (window)
        return true;
    const char* windowClass = Win32WindowClass::Popup();
    if (!windowClass)
        return false;
    // The owner may be gone (a host that destroyed its window first): then the popup stands alone.
    const HWND ownerNow = owner && IsWindow(owner) ? owner : nullptr;
    // Layered: the system keeps the picture and puts it back whenever the popup is uncovered, with no
    // painting of ours that the display could lose.
    window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass,
                             "TW_Tooltip", WS_POPUP, 0, 0, 1, 1, ownerNow, nullptr,
                             Win32WindowClass::ModuleInstance(),
                             static_cast<Win32MessageTarget*>(this)); // the procedure reads it back as that
    return window != nullptr;
}

bool Win32NativePopup::Show(const PixelBuffer& newPicture, int screenX, int screenY)
{
    if (!newPicture.IsValid() || !EnsureWindow())
        return false;
    if (!Win32Presenter::PutLayered(window, newPicture, screenX, screenY))
        return false;
    if (!shown)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    shown = true;
    // A popup on a thread of its own (the splash screen) has no message loop: answer what is waiting for
    // it, so that a program broadcasting to every window is not held up. The modal loop reads its own.
    MSG msg;
    while (!modal && PeekMessageA(&msg, window, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return true;
}

void Win32NativePopup::Hide()
{
    if (!shown || !window)
        return;
    ShowWindow(window, SW_HIDE);
    shown = false;
}

Rect Win32NativePopup::GetWorkArea() const
{
    RECT area;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return {area.left, area.top, area.right, area.bottom};
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32NativePopup::Bell()
{
    MessageBeep(MB_OK);
}

LRESULT Win32NativePopup::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCDESTROY:
        window = nullptr;
        shown = false;
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Win32NativePopup::ModalMessage(NativePopupHandler& handler, const MSG& msg)
{
    const int x = GET_X_LPARAM(msg.lParam);
    const int y = GET_Y_LPARAM(msg.lParam);
    switch (msg.message)
    {
    case WM_MOUSEMOVE:
        return handler.OnPopupMouse(NativeMouseMessage::kMove, x, y);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return handler.OnPopupMouse(NativeMouseMessage::kLeftDown, x, y);
    case WM_LBUTTONUP:
        return handler.OnPopupMouse(NativeMouseMessage::kLeftUp, x, y);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return handler.OnPopupMouse(NativeMouseMessage::kRightDown, x, y);
    case WM_RBUTTONUP:
        return handler.OnPopupMouse(NativeMouseMessage::kRightUp, x, y);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return handler.OnPopupKey(static_cast<int>(msg.wParam));
    default:
        return true;
    }
}

void Win32NativePopup::RunModal(NativePopupHandler& handler, int screenX, int screenY)
{
    if (modal || !Show(handler.GetPopupPicture(), screenX, screenY))
        return;
    modal = true;
    // With the capture, clicks elsewhere come to us too (in our coordinates), so the loop can end.
    SetCapture(window);
    bool running = true;
    while (running && window)
    {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_TIMEOUT)
        {
            running = handler.OnPopupIdle();
            continue;
        }
        MSG msg;
        while (running && window && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                // The program is ending: leave the loop and let the quit reach the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                running = false;
                break;
            }
            const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
            const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
            if (mouse && msg.hwnd != window)
                continue; // the pointer's messages belong to the popup while it runs
            if (mouse || key)
            {
                running = ModalMessage(handler, msg);
                if (running)
                    Show(handler.GetPopupPicture(), screenX, screenY);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            // Another window took the capture (a system dialog): the menu closes.
            if (GetCapture() != window)
                running = false;
        }
    }
    if (window && GetCapture() == window)
        ReleaseCapture();
    modal = false;
    Hide();
}

std::unique_ptr<NativePopup> CreateStandaloneNativePopup()
{
    return std::make_unique<Win32NativePopup>(nullptr);
}

} // namespace platform
