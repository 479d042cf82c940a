#include "platform/native/X11NativePopup.h"

#include <X11/Xutil.h>
#include <poll.h>

#include "platform/native/NativeKeys.h"
#include "platform/native/NativeWindow.h"
#include "platform/native/X11KeyMap.h"

using namespace images;

namespace platform
{

namespace
{
constexpr long kModalMask =
    ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask | ExposureMask;
}

X11NativePopup::X11NativePopup(Display* display, bool ownsDisplay,
                               std::function<void(X11NativePopup*)> onDestroy)
    : display_(display), ownsDisplay_(ownsDisplay), onDestroy_(std::move(onDestroy))
{
    if (display_)
        presenter.Init(display_, DefaultScreen(display_));
}

X11NativePopup::~X11NativePopup()
{
    ReleaseWindow();
    if (ownsDisplay_ && display_)
        XCloseDisplay(display_);
    if (onDestroy_)
        onDestroy_(this);
}

void X11NativePopup::Orphan()
{
    ReleaseWindow();
    display_ = nullptr;
    onDestroy_ = nullptr;
}

bool X11NativePopup::EnsureWindow()
{
    if (window_)
        return true;
    if (!display_)
        return false;
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask;
    window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 1, 1, 0, CopyFromParent,
                            InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWSaveUnder | CWBackPixmap | CWEventMask, &attributes);
    if (!window_)
        return false;
    gc = XCreateGC(display_, window_, 0, nullptr);
    if (!gc)
    {
        ReleaseWindow();
        return false;
    }
    return true;
}

void X11NativePopup::ReleaseWindow()
{
    if (!display_)
        return;
    if (gc)
        XFreeGC(display_, gc);
    if (window_)
        XDestroyWindow(display_, window_);
    gc = nullptr;
    window_ = 0;
    shown = false;
    XFlush(display_);
}

bool X11NativePopup::Show(const CImage& picture, int screenX, int screenY)
{
    if (!picture.IsValid() || !EnsureWindow())
        return false;
    picture_ = picture;
    XMoveResizeWindow(display_, window_, screenX, screenY, static_cast<unsigned>(picture.GetWidth()),
                      static_cast<unsigned>(picture.GetHeight()));
    if (!shown)
        XMapRaised(display_, window_);
    shown = true;
    Repaint();
    return true;
}

void X11NativePopup::Repaint()
{
    if (!shown || !window_)
        return;
    presenter.Put(window_, gc, picture_, picture_.GetRect(), 0, 0);
    XFlush(display_);
}

void X11NativePopup::Hide()
{
    if (!shown || !display_)
        return;
    XUnmapWindow(display_, window_);
    XFlush(display_);
    shown = false;
}

Rect X11NativePopup::GetWorkArea() const
{
    if (!display_)
        return {0, 0, 1024, 768};
    const int screen = DefaultScreen(display_);
    return {0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

void X11NativePopup::Bell()
{
    if (!display_)
        return;
    XBell(display_, 0);
    XFlush(display_);
}

bool X11NativePopup::NextEvent(XEvent& event, int timeoutMs)
{
    if (XCheckWindowEvent(display_, window_, kModalMask, &event))
        return true;
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, timeoutMs);
    return XCheckWindowEvent(display_, window_, kModalMask, &event) != 0;
}

void X11NativePopup::RunModal(NativePopupHandler& handler, int screenX, int screenY)
{
    if (!Show(handler.GetPopupPicture(), screenX, screenY))
        return;
    XSelectInput(display_, window_, kModalMask);
    // Without the grab a click elsewhere would never reach us and the loop could not end.
    const int grab =
        XGrabPointer(display_, window_, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(display_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    bool running = grab == GrabSuccess;
    while (running)
    {
        XEvent e;
        if (!NextEvent(e, 100))
            continue;
        switch (e.type)
        {
        case Expose:
            Repaint();
            break;
        case MotionNotify:
            running = handler.OnPopupMouse(NativeMouseMessage::kMove, e.xmotion.x, e.xmotion.y);
            break;
        case ButtonPress:
            running = handler.OnPopupMouse(e.xbutton.button == Button3 ? NativeMouseMessage::kRightDown
                                                                       : NativeMouseMessage::kLeftDown,
                                           e.xbutton.x, e.xbutton.y);
            break;
        case ButtonRelease:
            running = handler.OnPopupMouse(e.xbutton.button == Button3 ? NativeMouseMessage::kRightUp
                                                                       : NativeMouseMessage::kLeftUp,
                                           e.xbutton.x, e.xbutton.y);
            break;
        case KeyPress:
            running = handler.OnPopupKey(X11KeyMap::ToVirtualKey(XLookupKeysym(&e.xkey, 0)));
            break;
        default:
            break;
        }
        if (running)
            Show(handler.GetPopupPicture(), screenX, screenY);
    }
    XUngrabKeyboard(display_, CurrentTime);
    XUngrabPointer(display_, CurrentTime);
    XSelectInput(display_, window_, ExposureMask);
    Hide();
}

std::unique_ptr<NativePopup> CreateStandaloneNativePopup()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    return std::make_unique<X11NativePopup>(display, true, nullptr);
}

} // namespace platform
