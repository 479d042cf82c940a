#include "platform/native/Win32NativeWindow.h"

#include <windowsx.h>

#include <vector>

#include "platform/native/Win32NativePopup.h"
#include "platform/native/Win32Presenter.h"
#include "platform/native/Win32WindowClass.h"

namespace platform
{

namespace
{
// Error codes reported through GetLastError when the system gives none, the same as on X11.
constexpr int kCreateFailed = ERROR_INVALID_WINDOW_HANDLE;
constexpr int kNoSuchTimer = 1402;

int LastErrorOr(int fallback)
{
    const DWORD code = ::GetLastError();
    return code ? static_cast<int>(code) : fallback;
}

unsigned ModifiersNow()
{
    unsigned modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        modifiers |= kModifierShift;
    if (GetKeyState(VK_CONTROL) < 0)
        modifiers |= kModifierControl;
    if (GetKeyState(VK_MENU) < 0)
        modifiers |= kModifierAlt;
    return modifiers;
}

// The rectangles of a window's update region, before BeginPaint validates it.
CRegion UpdateRegionOf(HWND window)
{
    CRegion update;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region)
        return update;
    if (GetUpdateRgn(window, region, FALSE) > NULLREGION)
    {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<char> bytes(size);
        auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
        if (size && GetRegionData(region, size, data))
        {
            const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                update.Add({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
        }
    }
    DeleteObject(region);
    return update;
}
} // namespace

std::unique_ptr<NativeWindow> NativeWindow::CreateDefault()
{
    return std::make_unique<Win32NativeWindow>();
}

Win32NativeWindow::~Win32NativeWindow()
{
    Destroy();
}

HWND Win32NativeWindow::FromId(unsigned long id)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(id)));
}

unsigned long Win32NativeWindow::GetId() const
{
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window) & 0xffffffffu);
}

bool Win32NativeWindow::Create(const NativeParent& host, int newWidth, int newHeight,
                               NativeWindowListener* newListener)
{
    if (window || newWidth <= 0 || newHeight <= 0)
        return false;
    const char* windowClass = Win32WindowClass::Window();
    if (!windowClass)
    {
        lastError = LastErrorOr(kCreateFailed);
        return false;
    }
    const HWND parent = host.windowId ? FromId(host.windowId) : nullptr;
    if (parent && !IsWindow(parent))
    {
        lastError = kCreateFailed;
        return false;
    }
    topLevel = parent == nullptr;
    listener = newListener;
    width = newWidth;
    height = newHeight;
    DWORD style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    int outerWidth = newWidth, outerHeight = newHeight;
    if (topLevel)
    {
        // An overlapped window whose client area is the size asked for.
        style |= WS_OVERLAPPEDWINDOW;
        RECT outer{0, 0, newWidth, newHeight};
        AdjustWindowRectEx(&outer, style, FALSE, 0);
        outerWidth = outer.right - outer.left;
        outerHeight = outer.bottom - outer.top;
    }
    else
    {
        style |= WS_CHILD;
    }
    window = CreateWindowExA(0, windowClass, "", style, 0, 0, outerWidth, outerHeight, parent, nullptr,
                             Win32WindowClass::ModuleInstance(),
                             static_cast<Win32MessageTarget*>(this)); // the procedure reads it back as that
    if (!window)
    {
        lastError = LastErrorOr(kCreateFailed);
        listener = nullptr;
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void Win32NativeWindow::Destroy()
{
    if (window)
    {
        const HWND gone = window;
        // Messages sent while the window goes away must not reach a listener that is being torn down.
        listener = nullptr;
        if (GetCapture() == gone)
            ::ReleaseCapture();
        DestroyWindow(gone);
    }
    window = nullptr;
    listener = nullptr;
    trackingLeave = false;
}

void Win32NativeWindow::Resize(int newWidth, int newHeight)
{
    if (!window || newWidth <= 0 || newHeight <= 0)
        return;
    width = newWidth;
    height = newHeight;
    RECT outer{0, 0, newWidth, newHeight};
    if (topLevel)
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE, 0);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32NativeWindow::SetTitle(const char* title)
{
    if (window && title)
        SetWindowTextA(window, title);
}

void Win32NativeWindow::Invalidate(const Rect& r)
{
    const Rect area = Intersect(r, {0, 0, width, height});
    if (!window || area.IsEmpty())
        return;
    const RECT rect{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window, &rect, FALSE);
}

void Win32NativeWindow::Present(const PixelBuffer& backBuffer, const Rect& r)
{
    if (!window)
        return;
    if (paintDc)
    {
        Win32Presenter::Put(paintDc, backBuffer, r, r.left, r.top);
        return;
    }
    if (HDC dc = GetDC(window))
    {
        Win32Presenter::Put(dc, backBuffer, r, r.left, r.top);
        ReleaseDC(window, dc);
    }
}

bool Win32NativeWindow::SetTimer(unsigned id, unsigned periodMs)
{
    if (!window)
    {
        lastError = kCreateFailed;
        return false;
    }
    if (::SetTimer(window, id, periodMs, nullptr))
        return true;
    lastError = LastErrorOr(kCreateFailed);
    return false;
}

bool Win32NativeWindow::KillTimer(unsigned id)
{
    if (window && ::KillTimer(window, id))
        return true;
    lastError = kNoSuchTimer;
    return false;
}

void Win32NativeWindow::SetCapture()
{
    if (window)
        ::SetCapture(window);
}

void Win32NativeWindow::ReleaseCapture()
{
    if (window && GetCapture() == window)
        ::ReleaseCapture();
}

void Win32NativeWindow::TrackLeave(bool on)
{
    if (!window)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = on ? TME_LEAVE : TME_LEAVE | TME_CANCEL;
    track.hwndTrack = window;
    track.dwHoverTime = HOVER_DEFAULT;
    if (TrackMouseEvent(&track))
        trackingLeave = on;
}

void Win32NativeWindow::SetFocus()
{
    if (window && IsWindowVisible(window))
        ::SetFocus(window);
}

void Win32NativeWindow::ApplyCursor() const
{
    static const LPCSTR shapes[4] = {IDC_ARROW, IDC_HAND, IDC_SIZEWE, IDC_SIZENS};
    ::SetCursor(LoadCursorA(nullptr, shapes[static_cast<int>(cursor)]));
}

void Win32NativeWindow::SetCursor(NativeCursor newCursor)
{
    if (!window || newCursor == cursor)
        return;
    cursor = newCursor;
    POINT p;
    // Only while the pointer is over us (or captured): otherwise WM_SETCURSOR sets it on arrival.
    if (::GetCursorPos(&p) && (WindowFromPoint(p) == window || GetCapture() == window))
        ApplyCursor();
}

bool Win32NativeWindow::GetCursorPos(Point& p) const
{
    POINT screen;
    if (!window || !::GetCursorPos(&screen) || !ScreenToClient(window, &screen))
        return false;
    p = {screen.x, screen.y};
    return true;
}

Point Win32NativeWindow::ToScreen(Point p) const
{
    POINT screen{p.x, p.y};
    if (window)
        ClientToScreen(window, &screen);
    return {screen.x, screen.y};
}

unsigned Win32NativeWindow::GetModifiers() const
{
    return window ? ModifiersNow() : 0;
}

bool Win32NativeWindow::IsForeground() const
{
    if (!window)
        return false;
    const HWND foreground = GetForegroundWindow();
    // Under a display without a window manager nothing may be in the foreground: count that as ours.
    return !foreground || foreground == GetAncestor(window, GA_ROOT) || IsChild(foreground, window);
}

void Win32NativeWindow::Paint()
{
    const CRegion update = UpdateRegionOf(window);
    PAINTSTRUCT ps;
    paintDc = BeginPaint(window, &ps);
    if (paintDc && listener && !update.IsEmpty())
        listener->OnNativePaint(update);
    EndPaint(window, &ps);
    paintDc = nullptr;
}

void Win32NativeWindow::Mouse(NativeMouseMessage message, WPARAM wParam, LPARAM lParam)
{
    listener->OnNativeMouse(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                            static_cast<unsigned>(wParam) &
                                (kKeyStateLeft | kKeyStateRight | kKeyStateShift | kKeyStateControl));
}

LRESULT Win32NativeWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        if (hwnd == window)
            window = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (!listener || hwnd != window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message)
    {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // every pixel is ours: no flicker of a cleared background
    case WM_TIMER:
        listener->OnNativeTimer(static_cast<unsigned>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        Mouse(NativeMouseMessage::kMove, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        Mouse(NativeMouseMessage::kLeftDown, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        Mouse(NativeMouseMessage::kLeftUp, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        Mouse(NativeMouseMessage::kLeftDoubleClick, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        Mouse(NativeMouseMessage::kRightDown, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        Mouse(NativeMouseMessage::kRightUp, wParam, lParam);
        return 0;
    case WM_MOUSELEAVE:
        if (trackingLeave)
        {
            trackingLeave = false;
            listener->OnNativeMouseLeave();
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT)
        {
            ApplyCursor();
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        listener->OnNativeKey(message == WM_KEYUP || message == WM_SYSKEYUP, static_cast<int>(wParam),
                              ModifiersNow());
        // Alt combinations still reach the system (the host's menus), as they would without us.
        if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            break;
        return 0;
    case WM_ACTIVATE:
        listener->OnNativeActivate(LOWORD(wParam) != WA_INACTIVE);
        break;
    case WM_KILLFOCUS:
        listener->OnNativeKillFocus();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && (LOWORD(lParam) != width || HIWORD(lParam) != height))
        {
            width = LOWORD(lParam);
            height = HIWORD(lParam);
            listener->OnNativeSize(width, height);
        }
        return 0;
    case WM_CLOSE:
        listener->OnNativeClose();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS; // keys reach us even when the host shows us inside a dialog
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32NativeWindow::ProcessEvents()
{
    if (!window)
        return;
    if (!topLevel)
    {
        // The host's message loop delivers our messages; paint what is pending now, as on X11.
        UpdateWindow(window);
        return;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            quit = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int Win32NativeWindow::RunEventLoop()
{
    quit = false;
    while (!quit && window)
    {
        // Wait for a message, waking every 100 ms so that Quit from outside is seen.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        ProcessEvents();
    }
    return 0;
}

std::unique_ptr<NativePopup> Win32NativeWindow::CreatePopup()
{
    if (!window)
        return nullptr;
    return std::make_unique<Win32NativePopup>(GetAncestor(window, GA_ROOT));
}

} // namespace platform
