#pragma once
// An override-redirect X window showing a picture: tooltips, menus and message boxes. Shares its
// owner window's display connection, or owns one when made stand-alone.
#include <X11/Xlib.h>

#include <functional>

#include "platform/native/NativePopup.h"
#include "platform/native/X11Presenter.h"

namespace platform
{

class X11NativePopup : public NativePopup
{
public:
    // onDestroy tells the owner window that the popup is gone.
    X11NativePopup(Display* display, bool ownsDisplay, std::function<void(X11NativePopup*)> onDestroy);
    ~X11NativePopup() override;

    bool Show(const images::CImage& picture, int screenX, int screenY) override;
    void Hide() override;
    bool IsShown() const override { return shown; }
    void RunModal(NativePopupHandler& handler, int screenX, int screenY) override;
    images::Rect GetWorkArea() const override;
    void Bell() override;

    Window GetWindow() const { return window_; }
    // Draws the picture again after an exposure.
    void Repaint();
    // The owner's display is closing: release the window and forget the connection.
    void Orphan();

private:
    bool EnsureWindow();
    void ReleaseWindow();
    // Waits up to timeoutMs for an event of the popup's window; false on time-out.
    bool NextEvent(XEvent& event, int timeoutMs);

    Display* display_;
    bool ownsDisplay_;
    std::function<void(X11NativePopup*)> onDestroy_;
    Window window_ = 0;
    GC gc = nullptr;
    X11Presenter presenter;
    images::CImage picture_;
    bool shown = false;
};

} // namespace platform
