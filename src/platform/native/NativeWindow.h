#pragma once
// The one native window of a toolkit window: creation as a child of a host's window or stand-alone,
// timers, invalidation and presenting from a back buffer, pointer capture, focus, cursor, pop-ups.
// The system's own (X11 on Linux, Win32 on Windows) for real hosts and the demo, headless for tests.
// All calls on the thread that created the window.
#include <memory>

#include "platform/PixelBuffer.h"
#include "platform/native/NativePopup.h"
#include "platform/native/NativeWindowListener.h"

namespace platform
{

// The window to live in: an X11 window id or a Win32 window handle's 32 bits (0 for a stand-alone
// top-level window) and, on X11 when the host passes it, the host's own display connection (used only to
// find the display's name).
struct NativeParent
{
    unsigned long windowId = 0;
    void* hostDisplay = nullptr;
};

enum class NativeCursor
{
    kArrow,
    kHand,
    kSizeHorizontal,
    kSizeVertical
};

class NativeWindow
{
public:
    virtual ~NativeWindow() = default;
    // The system's implementation; its Create fails when there is no display.
    static std::unique_ptr<NativeWindow> CreateDefault();

    virtual bool Create(const NativeParent& parent, int width, int height,
                        NativeWindowListener* listener) = 0;
    // Detaches from the parent and releases every resource; safe to call twice.
    virtual void Destroy() = 0;
    virtual unsigned long GetId() const = 0;
    virtual void Resize(int width, int height) = 0;
    virtual void SetTitle(const char* title) = 0;

    // Adds to the update region; the listener's paint follows when events are next drained.
    virtual void Invalidate(const Rect& r) = 0;
    // Copies a rectangle of the back buffer to the same place on the screen.
    virtual void Present(const PixelBuffer& backBuffer, const Rect& r) = 0;

    virtual bool SetTimer(unsigned id, unsigned periodMs) = 0;
    virtual bool KillTimer(unsigned id) = 0;
    // The error code of the last failed call (0 when none).
    virtual int GetLastError() const = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // Asks for one leave notification when the pointer leaves the window (or cancels the request).
    virtual void TrackLeave(bool on) = 0;
    virtual void SetFocus() = 0;
    virtual void SetCursor(NativeCursor cursor) = 0;
    // Pointer position in window coordinates; false when unknown.
    virtual bool GetCursorPos(Point& p) const = 0;
    virtual Point ToScreen(Point p) const = 0;
    // Current Shift/Ctrl/Alt state as NativeModifier flags.
    virtual unsigned GetModifiers() const = 0;
    // True when the window's top-level window has the keyboard focus.
    virtual bool IsForeground() const = 0;

    // Drains pending events and due timers, then paints: what the host's idle call does.
    virtual void ProcessEvents() = 0;
    // For a stand-alone window: dispatches events and timers until Quit or the window is closed.
    virtual int RunEventLoop() = 0;
    virtual void Quit() = 0;

    virtual std::unique_ptr<NativePopup> CreatePopup() = 0;
};

// A pop-up on its own display connection (a message box with no window); null without a display.
std::unique_ptr<NativePopup> CreateStandaloneNativePopup();

} // namespace platform
