#include "platform/native/X11NativeWindow.h"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "platform/native/X11ErrorTrap.h"
#include "platform/native/X11KeyMap.h"
#include "platform/native/X11NativePopup.h"

using namespace images;

namespace platform
{

namespace
{
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask |
                            StructureNotifyMask;
// Error codes reported through GetLastError.
constexpr int kNoDisplay = 2;
constexpr int kCreateFailed = 1400;
constexpr int kNoSuchTimer = 1402;
} // namespace

std::unique_ptr<NativeWindow> NativeWindow::CreateDefault()
{
    return std::make_unique<X11NativeWindow>();
}

X11NativeWindow::~X11NativeWindow()
{
    Destroy();
}

uint64_t X11NativeWindow::NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool X11NativeWindow::Create(const NativeParent& parent, int width, int height,
                             NativeWindowListener* listener)
{
    if (display_ || width <= 0 || height <= 0)
        return false;
    // Our own connection to the host's display, so our events never mix with the host's.
    const char* name =
        parent.hostDisplay ? DisplayString(static_cast<Display*>(parent.hostDisplay)) : nullptr;
    display_ = XOpenDisplay(name);
    if (!display_)
    {
        lastError = kNoDisplay;
        return false;
    }
    const int screen = DefaultScreen(display_);
    if (!presenter.Init(display_, screen))
    {
        lastError = kCreateFailed;
        Destroy();
        return false;
    }
    parent_ = parent.windowId ? static_cast<Window>(parent.windowId) : RootWindow(display_, screen);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None; // we paint every pixel ourselves: no flicker of a cleared background
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = kEventMask;
    {
        X11ErrorTrap trap(display_);
        window_ = XCreateWindow(display_, parent_, 0, 0, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                CWBackPixmap | CWBitGravity | CWEventMask, &attributes);
        if (trap.Failed())
            window_ = 0; // a parent id that does not exist
    }
    if (!window_)
    {
        lastError = kCreateFailed;
        Destroy();
        return false;
    }
    gc = XCreateGC(display_, window_, 0, nullptr);
    static const unsigned shapes[4] = {XC_left_ptr, XC_hand2, XC_sb_h_double_arrow, XC_sb_v_double_arrow};
    for (int i = 0; i < 4; ++i)
        cursors[i] = XCreateFontCursor(display_, shapes[i]);
    if (!parent.windowId)
    {
        deleteAtom = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &deleteAtom, 1);
        XSizeHints* hints = XAllocSizeHints();
        if (hints)
        {
            hints->flags = PMinSize | PMaxSize;
            hints->min_width = hints->max_width = width;
            hints->min_height = hints->max_height = height;
            XSetWMNormalHints(display_, window_, hints);
            XFree(hints);
        }
    }
    width_ = width;
    height_ = height;
    listener_ = listener;
    XDefineCursor(display_, window_, cursors[0]);
    XMapWindow(display_, window_);
    XFlush(display_);
    return gc != nullptr;
}

void X11NativeWindow::Destroy()
{
    for (X11NativePopup* popup : popups)
        popup->Orphan();
    popups.clear();
    if (!display_)
        return;
    if (grabbed)
        XUngrabPointer(display_, CurrentTime);
    grabbed = false;
    if (window_)
    {
        XUnmapWindow(display_, window_);
        XDestroyWindow(display_, window_);
    }
    if (gc)
        XFreeGC(display_, gc);
    for (Cursor& c : cursors)
    {
        if (c)
            XFreeCursor(display_, c);
        c = 0;
    }
    XCloseDisplay(display_);
    display_ = nullptr;
    window_ = 0;
    gc = nullptr;
    listener_ = nullptr;
    timers_.Clear();
    update_.Clear();
}

void X11NativeWindow::Resize(int width, int height)
{
    if (!display_ || width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(display_);
}

void X11NativeWindow::SetTitle(const char* title)
{
    if (display_ && title)
        XStoreName(display_, window_, title);
}

void X11NativeWindow::Invalidate(const Rect& r)
{
    if (display_)
        update_.Add(Intersect(r, {0, 0, width_, height_}));
}

void X11NativeWindow::Present(const CImage& backBuffer, const Rect& r)
{
    if (display_)
        presenter.Put(window_, gc, backBuffer, r, r.left, r.top);
}

bool X11NativeWindow::SetTimer(unsigned id, unsigned periodMs)
{
    if (!display_)
    {
        lastError = kCreateFailed;
        return false;
    }
    timers_.Set(id, periodMs, NowMs());
    return true;
}

bool X11NativeWindow::KillTimer(unsigned id)
{
    if (timers_.Kill(id))
        return true;
    lastError = kNoSuchTimer;
    return false;
}

void X11NativeWindow::SetCapture()
{
    if (!display_)
        return;
    grabbed = XGrabPointer(display_, window_, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                           GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
}

void X11NativeWindow::ReleaseCapture()
{
    if (!display_ || !grabbed)
        return;
    XUngrabPointer(display_, CurrentTime);
    XFlush(display_);
    grabbed = false;
}

void X11NativeWindow::SetFocus()
{
    if (!display_)
        return;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window_, &attributes) || attributes.map_state != IsViewable)
        return;
    X11ErrorTrap trap(display_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
}

void X11NativeWindow::SetCursor(NativeCursor cursor)
{
    if (!display_ || cursor == cursor_)
        return;
    cursor_ = cursor;
    XDefineCursor(display_, window_, cursors[static_cast<int>(cursor)]);
}

bool X11NativeWindow::GetCursorPos(Point& p) const
{
    if (!display_)
        return false;
    Window root, child;
    int rootX, rootY, x, y;
    unsigned mask;
    if (!XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask))
        return false;
    p = {x, y};
    return true;
}

Point X11NativeWindow::ToScreen(Point p) const
{
    if (!display_)
        return p;
    Window child;
    int x = p.x, y = p.y;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), p.x, p.y, &x, &y, &child);
    return {x, y};
}

unsigned X11NativeWindow::GetModifiers() const
{
    if (!display_)
        return 0;
    Window root, child;
    int rootX, rootY, x, y;
    unsigned mask = 0;
    XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask);
    return X11KeyMap::ToModifiers(mask);
}

Window X11NativeWindow::TopLevelOf(Window w) const
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    while (w && XQueryTree(display_, w, &root, &parent, &children, &count))
    {
        if (children)
            XFree(children);
        if (parent == root || !parent)
            return w;
        w = parent;
    }
    return w;
}

bool X11NativeWindow::IsForeground() const
{
    if (!display_)
        return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    // Without a window manager focus often stays with the pointer root: count that as ours.
    if (focus == PointerRoot || focus == None)
        return true;
    return TopLevelOf(focus) == TopLevelOf(window_);
}

void X11NativeWindow::DispatchButton(const XButtonEvent& e, bool press)
{
    const unsigned keyState = X11KeyMap::ToKeyState(e.state);
    NativeMouseMessage message;
    if (e.button == Button1)
    {
        message = press ? (doubleClick.Press(e.time, e.x, e.y) ? NativeMouseMessage::kLeftDoubleClick
                                                               : NativeMouseMessage::kLeftDown)
                        : NativeMouseMessage::kLeftUp;
    }
    else if (e.button == Button3)
    {
        message = press ? NativeMouseMessage::kRightDown : NativeMouseMessage::kRightUp;
    }
    else
    {
        return;
    }
    listener_->OnNativeMouse(message, e.x, e.y, keyState);
}

void X11NativeWindow::Dispatch(XEvent& e)
{
    if (e.xany.window != window_)
    {
        if (e.type == Expose)
            for (X11NativePopup* popup : popups)
                if (popup->GetWindow() == e.xany.window)
                    popup->Repaint();
        return;
    }
    switch (e.type)
    {
    case Expose:
        update_.Add(
            {e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
        break;
    case MotionNotify:
        listener_->OnNativeMouse(NativeMouseMessage::kMove, e.xmotion.x, e.xmotion.y,
                                 X11KeyMap::ToKeyState(e.xmotion.state));
        break;
    case ButtonPress:
    case ButtonRelease:
        DispatchButton(e.xbutton, e.type == ButtonPress);
        break;
    case LeaveNotify:
        if (trackLeave && e.xcrossing.mode == NotifyNormal)
        {
            trackLeave = false;
            listener_->OnNativeMouseLeave();
        }
        break;
    case KeyPress:
    case KeyRelease:
        if (const int vk = X11KeyMap::ToVirtualKey(XLookupKeysym(&e.xkey, 0)))
            listener_->OnNativeKey(e.type == KeyRelease, vk, X11KeyMap::ToModifiers(e.xkey.state));
        break;
    case FocusOut:
        if (e.xfocus.mode == NotifyNormal)
            listener_->OnNativeKillFocus();
        break;
    case ConfigureNotify:
        if (e.xconfigure.width != width_ || e.xconfigure.height != height_)
        {
            width_ = e.xconfigure.width;
            height_ = e.xconfigure.height;
            listener_->OnNativeSize(width_, height_);
        }
        break;
    case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) == deleteAtom)
            listener_->OnNativeClose();
        break;
    default:
        break;
    }
}

void X11NativeWindow::FireTimers()
{
    for (unsigned id : timers_.TakeDue(NowMs()))
        if (display_ && timers_.IsSet(id))
            listener_->OnNativeTimer(id);
}

void X11NativeWindow::PaintPending()
{
    if (!display_ || update_.IsEmpty())
        return;
    const CRegion update = update_;
    update_.Clear();
    listener_->OnNativePaint(update);
    XFlush(display_);
}

void X11NativeWindow::ProcessEvents()
{
    if (!display_ || !listener_)
        return;
    while (display_ && XPending(display_) > 0)
    {
        XEvent e;
        XNextEvent(display_, &e);
        Dispatch(e);
    }
    if (display_)
        FireTimers();
    PaintPending();
}

int X11NativeWindow::RunEventLoop()
{
    quit = false;
    while (!quit && display_)
    {
        ProcessEvents();
        if (quit || !display_)
            break;
        const int64_t wait = timers_.MsUntilNext(NowMs());
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        if (XPending(display_) == 0)
            poll(&fd, 1, wait < 0 ? 100 : static_cast<int>(std::min<int64_t>(wait, 100)));
    }
    return 0;
}

std::unique_ptr<NativePopup> X11NativeWindow::CreatePopup()
{
    if (!display_)
        return nullptr;
    auto popup = std::make_unique<X11NativePopup>(
        display_, false,
        [this](X11NativePopup* gone)
        { popups.erase(std::remove(popups.begin(), popups.end(), gone), popups.end()); });
    popups.push_back(popup.get());
    return popup;
}

} // namespace platform
