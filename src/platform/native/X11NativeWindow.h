#pragma once
// The native window on X11: our own display connection, a child of the host's window (or a
// top-level window for the demo), events and timers drained on the host's idle calls, the back
// buffer put to the screen with XPutImage for the changed rectangles only.
#include <X11/Xlib.h>

#include <vector>

#include "platform/native/NativeDoubleClick.h"
#include "platform/native/NativeTimerQueue.h"
#include "platform/native/NativeWindow.h"
#include "platform/native/X11Presenter.h"

namespace platform
{

class X11NativePopup;

class X11NativeWindow : public NativeWindow
{
public:
    ~X11NativeWindow() override;

    bool Create(const NativeParent& parent, int width, int height, NativeWindowListener* listener) override;
    void Destroy() override;
    unsigned long GetId() const override { return window_; }
    void Resize(int width, int height) override;
    void SetTitle(const char* title) override;
    void Invalidate(const images::Rect& r) override;
    void Present(const images::CImage& backBuffer, const images::Rect& r) override;
    bool SetTimer(unsigned id, unsigned periodMs) override;
    bool KillTimer(unsigned id) override;
    int GetLastError() const override { return lastError; }
    void SetCapture() override;
    void ReleaseCapture() override;
    void TrackLeave(bool on) override { trackLeave = on; }
    void SetFocus() override;
    void SetCursor(NativeCursor cursor) override;
    bool GetCursorPos(images::Point& p) const override;
    images::Point ToScreen(images::Point p) const override;
    unsigned GetModifiers() const override;
    bool IsForeground() const override;
    void ProcessEvents() override;
    int RunEventLoop() override;
    void Quit() override { quit = true; }
    std::unique_ptr<NativePopup> CreatePopup() override;

private:
    static uint64_t NowMs();
    void Dispatch(XEvent& event);
    void DispatchButton(const XButtonEvent& e, bool press);
    void FireTimers();
    void PaintPending();
    Window TopLevelOf(Window w) const;

    Display* display_ = nullptr;
    Window window_ = 0;
    Window parent_ = 0;
    GC gc = nullptr;
    Cursor cursors[4] = {};
    NativeCursor cursor_ = NativeCursor::kArrow;
    Atom deleteAtom = 0;
    X11Presenter presenter;
    NativeWindowListener* listener_ = nullptr;
    NativeTimerQueue timers_;
    NativeDoubleClick doubleClick;
    images::CRegion update_;
    std::vector<X11NativePopup*> popups;
    int width_ = 0;
    int height_ = 0;
    int lastError = 0;
    bool grabbed = false;
    bool trackLeave = false;
    bool quit = false;
};

} // namespace platform
