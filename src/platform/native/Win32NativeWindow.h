#pragma once
// The native window on Win32: a child of the host's window (or a top-level window for the demo),
// painted from the back buffer on WM_PAINT, its timers, capture and leave tracking the system's own.
// Messages reach it through the host's message loop; a top-level window pumps them itself.
#include <windows.h>

#include "platform/native/NativeWindow.h"
#include "platform/native/Win32MessageTarget.h"

namespace platform
{

class Win32NativeWindow : public NativeWindow, private Win32MessageTarget
{
public:
    ~Win32NativeWindow() override;

    bool Create(const NativeParent& host, int newWidth, int newHeight,
                NativeWindowListener* newListener) override;
    void Destroy() override;
    unsigned long GetId() const override;
    void Resize(int newWidth, int newHeight) override;
    void SetTitle(const char* title) override;
    void Invalidate(const Rect& r) override;
    void Present(const PixelBuffer& backBuffer, const Rect& r) override;
    bool SetTimer(unsigned id, unsigned periodMs) override;
    bool KillTimer(unsigned id) override;
    int GetLastError() const override { return lastError; }
    void SetCapture() override;
    void ReleaseCapture() override;
    void TrackLeave(bool on) override;
    void SetFocus() override;
    void SetCursor(NativeCursor newCursor) override;
    bool GetCursorPos(Point& p) const override;
    Point ToScreen(Point p) const override;
    unsigned GetModifiers() const override;
    bool IsForeground() const override;
    void ProcessEvents() override;
    int RunEventLoop() override;
    void Quit() override { quit = true; }
    std::unique_ptr<NativePopup> CreatePopup() override;

    // The window a handle id stands for: window ids are 32-bit on every Windows, sign-extended on 64-bit.
    static HWND FromId(unsigned long id);

private:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    void Mouse(NativeMouseMessage message, WPARAM wParam, LPARAM lParam);
    void ApplyCursor() const;

    HWND window = nullptr;
    HDC paintDc = nullptr;
    NativeWindowListener* listener = nullptr;
    NativeCursor cursor = NativeCursor::kArrow;
    int width = 0;
    int height = 0;
    int lastError = 0;
    bool topLevel = false;
    bool trackingLeave = false;
    bool quit = false;
};

} // namespace platform
