#include "platform/native/X11NativePopup.h"

#include <X11/Xutil.h>
#include <poll.h>

#include "platform/native/NativeKeys.h"
#include "platform/native/NativeWindow.h"
#include "platform/native/X11KeyMap.h"

namespace platform
{

namespace
{
constexpr long kModalMask =
    ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask | ExposureMask;
}

X11NativePopup::X11NativePopup(Display* connection, bool ownsConnection,
                               std::function<void(X11NativePopup*)> destroyed)
    : display(connection), ownsDisplay(ownsConnection), onDestroy(std::move(destroyed))
{
    if (display)
        presenter.Init(display, DefaultScreen(display));
}

X11NativePopup::~X11NativePopup()
{
    ReleaseWindow();
    if (ownsDisplay && display)
        XCloseDisplay(display);
    if (onDestroy)
        onDestroy(this);
}

void X11NativePopup::Orphan()
{
    ReleaseWindow();
    display = nullptr;
    onDestroy = nullptr;
}

bool X11NativePopup::EnsureWindow()
{
    if (window)
        return true;
    if (!display)
        return false;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask;
    window = XCreateWindow(display, RootWindow(display, screen), 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWOverrideRedirect | CWSaveUnder | CWBackPixmap | CWEventMask,
                           &attributes);
    if (!window)
        return false;
    gc = XCreateGC(display, window, 0, nullptr);
    if (!gc)
    {
        ReleaseWindow();
        return false;
    }
    return true;
}

void X11NativePopup::ReleaseWindow()
{
    if (!display)
        return;
    if (gc)
        XFreeGC(display, gc);
    if (window)
        XDestroyWindow(display, window);
    gc = nullptr;
    window = 0;
    shown = false;
    XFlush(display);
}

bool X11NativePopup::Show(const PixelBuffer& newPicture, int screenX, int screenY)
{
    if (!newPicture.IsValid() || !EnsureWindow())
        return false;
    picture = newPicture;
    XMoveResizeWindow(display, window, screenX, screenY, static_cast<unsigned>(newPicture.GetWidth()),
                      static_cast<unsigned>(newPicture.GetHeight()));
    if (!shown)
        XMapRaised(display, window);
    shown = true;
    Repaint();
    return true;
}

void X11NativePopup::Repaint()
{
    if (!shown || !window)
        return;
    presenter.Put(window, gc, picture, picture.GetRect(), 0, 0);
    XFlush(display);
}

void X11NativePopup::Hide()
{
    if (!shown || !display)
        return;
    XUnmapWindow(display, window);
    XFlush(display);
    shown = false;
}

Rect X11NativePopup::GetWorkArea() const
{
    if (!display)
        return {0, 0, 1024, 768};
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

void X11NativePopup::Bell()
{
    if (!display)
        return;
    XBell(display, 0);
    XFlush(display);
}

bool X11NativePopup::NextEvent(XEvent& event, int timeoutMs)
{
    if (XCheckWindowEvent(display, window, kModalMask, &event))
        return true;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, timeoutMs);
    return XCheckWindowEvent(display, window, kModalMask, &event) != 0;
}

void X11NativePopup::RunModal(NativePopupHandler& handler, int screenX, int screenY)
{
    if (!Show(handler.GetPopupPicture(), screenX, screenY))
        return;
    XSelectInput(display, window, kModalMask);
    // Without the grab a click elsewhere would never reach us and the loop could not end.
    const int grab =
        XGrabPointer(display, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    bool running = grab == GrabSuccess;
    while (running)
    {
        XEvent e;
        if (!NextEvent(e, 100))
        {
            running = handler.OnPopupIdle();
            continue;
        }
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
    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
    XSelectInput(display, window, ExposureMask);
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
