#include "platform/native/X11NativeWindow.h"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "platform/native/X11ErrorTrap.h"
#include "platform/native/X11KeyMap.h"
#include "platform/native/X11NativePopup.h"

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

bool X11NativeWindow::Create(const NativeParent& host, int newWidth, int newHeight,
                             NativeWindowListener* newListener)
{
    if (display || newWidth <= 0 || newHeight <= 0)
        return false;
    // Our own connection to the host's display, so our events never mix with the host's.
    const char* name = host.hostDisplay ? DisplayString(static_cast<Display*>(host.hostDisplay)) : nullptr;
    display = XOpenDisplay(name);
    if (!display)
    {
        lastError = kNoDisplay;
        return false;
    }
    const int screen = DefaultScreen(display);
    if (!presenter.Init(display, screen))
    {
        lastError = kCreateFailed;
        Destroy();
        return false;
    }
    parent = host.windowId ? static_cast<Window>(host.windowId) : RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None; // we paint every pixel ourselves: no flicker of a cleared background
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = kEventMask;
    {
        X11ErrorTrap trap(display);
        window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(newWidth),
                               static_cast<unsigned>(newHeight), 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWBackPixmap | CWBitGravity | CWEventMask, &attributes);
        if (trap.Failed())
            window = 0; // a parent id that does not exist
    }
    if (!window)
    {
        lastError = kCreateFailed;
        Destroy();
        return false;
    }
    gc = XCreateGC(display, window, 0, nullptr);
    static const unsigned shapes[4] = {XC_left_ptr, XC_hand2, XC_sb_h_double_arrow, XC_sb_v_double_arrow};
    for (int i = 0; i < 4; ++i)
        cursors[i] = XCreateFontCursor(display, shapes[i]);
    if (!host.windowId)
    {
        deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, window, &deleteAtom, 1);
        XSizeHints* hints = XAllocSizeHints();
        if (hints)
        {
            hints->flags = PMinSize | PMaxSize;
            hints->min_width = hints->max_width = newWidth;
            hints->min_height = hints->max_height = newHeight;
            XSetWMNormalHints(display, window, hints);
            XFree(hints);
        }
    }
    width = newWidth;
    height = newHeight;
    listener = newListener;
    XDefineCursor(display, window, cursors[0]);
    XMapWindow(display, window);
    XFlush(display);
    return gc != nullptr;
}

void X11NativeWindow::Destroy()
{
    for (X11NativePopup* popup : popups)
        popup->Orphan();
    popups.clear();
    if (!display)
        return;
    {
        // The host may have destroyed its window, and ours with it, before closing the editor: the
        // errors that brings must not end the host.
        X11ErrorTrap trap(display);
        if (grabbed)
            XUngrabPointer(display, CurrentTime);
        grabbed = false;
        if (window)
        {
            XUnmapWindow(display, window);
            XDestroyWindow(display, window);
        }
        if (gc)
            XFreeGC(display, gc);
        for (Cursor& c : cursors)
        {
            if (c)
                XFreeCursor(display, c);
            c = 0;
        }
    }
    XCloseDisplay(display);
    display = nullptr;
    window = 0;
    gc = nullptr;
    listener = nullptr;
    timers.Clear();
    update.Clear();
}

void X11NativeWindow::Resize(int newWidth, int newHeight)
{
    if (!display || newWidth <= 0 || newHeight <= 0)
        return;
    width = newWidth;
    height = newHeight;
    XResizeWindow(display, window, static_cast<unsigned>(newWidth), static_cast<unsigned>(newHeight));
    XFlush(display);
}

void X11NativeWindow::SetTitle(const char* title)
{
    if (display && title)
        XStoreName(display, window, title);
}

void X11NativeWindow::Invalidate(const Rect& r)
{
    if (display)
        update.Add(Intersect(r, {0, 0, width, height}));
}

void X11NativeWindow::Present(const PixelBuffer& backBuffer, const Rect& r)
{
    if (display)
        presenter.Put(window, gc, backBuffer, r, r.left, r.top);
}

bool X11NativeWindow::SetTimer(unsigned id, unsigned periodMs)
{
    if (!display)
    {
        lastError = kCreateFailed;
        return false;
    }
    timers.Set(id, periodMs, NowMs());
    return true;
}

bool X11NativeWindow::KillTimer(unsigned id)
{
    if (timers.Kill(id))
        return true;
    lastError = kNoSuchTimer;
    return false;
}

void X11NativeWindow::SetCapture()
{
    if (!display)
        return;
    grabbed = XGrabPointer(display, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                           GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
}

void X11NativeWindow::ReleaseCapture()
{
    if (!display || !grabbed)
        return;
    XUngrabPointer(display, CurrentTime);
    XFlush(display);
    grabbed = false;
}

void X11NativeWindow::SetFocus()
{
    if (!display)
        return;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return;
    X11ErrorTrap trap(display);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
}

void X11NativeWindow::SetCursor(NativeCursor newCursor)
{
    if (!display || newCursor == cursor)
        return;
    cursor = newCursor;
    XDefineCursor(display, window, cursors[static_cast<int>(newCursor)]);
}

bool X11NativeWindow::GetCursorPos(Point& p) const
{
    if (!display)
        return false;
    Window root, child;
    int rootX, rootY, x, y;
    unsigned mask;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask))
        return false;
    p = {x, y};
    return true;
}

Point X11NativeWindow::ToScreen(Point p) const
{
    if (!display)
        return p;
    Window child;
    int x = p.x, y = p.y;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), p.x, p.y, &x, &y, &child);
    return {x, y};
}

unsigned X11NativeWindow::GetModifiers() const
{
    if (!display)
        return 0;
    Window root, child;
    int rootX, rootY, x, y;
    unsigned mask = 0;
    XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    return X11KeyMap::ToModifiers(mask);
}

Window X11NativeWindow::TopLevelOf(Window w) const
{
    Window root = 0, parentWindow = 0, *children = nullptr;
    unsigned count = 0;
    while (w && XQueryTree(display, w, &root, &parentWindow, &children, &count))
    {
        if (children)
            XFree(children);
        if (parentWindow == root || !parentWindow)
            return w;
        w = parentWindow;
    }
    return w;
}

bool X11NativeWindow::IsForeground() const
{
    if (!display)
        return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // Without a window manager focus often stays with the pointer root: count that as ours.
    if (focus == PointerRoot || focus == None)
        return true;
    return TopLevelOf(focus) == TopLevelOf(window);
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
    listener->OnNativeMouse(message, e.x, e.y, keyState);
}

void X11NativeWindow::Dispatch(XEvent& e)
{
    if (e.xany.window != window)
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
        update.Add({e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
        break;
    case MotionNotify:
        listener->OnNativeMouse(NativeMouseMessage::kMove, e.xmotion.x, e.xmotion.y,
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
            listener->OnNativeMouseLeave();
        }
        break;
    case KeyPress:
    case KeyRelease:
        if (const int vk = X11KeyMap::ToVirtualKey(XLookupKeysym(&e.xkey, 0)))
            listener->OnNativeKey(e.type == KeyRelease, vk, X11KeyMap::ToModifiers(e.xkey.state));
        break;
    case FocusOut:
        if (e.xfocus.mode == NotifyNormal)
            listener->OnNativeKillFocus();
        break;
    case ConfigureNotify:
        if (e.xconfigure.width != width || e.xconfigure.height != height)
        {
            width = e.xconfigure.width;
            height = e.xconfigure.height;
            listener->OnNativeSize(width, height);
        }
        break;
    case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) == deleteAtom)
            listener->OnNativeClose();
        break;
    default:
        break;
    }
}

void X11NativeWindow::FireTimers()
{
    for (unsigned id : timers.TakeDue(NowMs()))
        if (display && timers.IsSet(id))
            listener->OnNativeTimer(id);
}

void X11NativeWindow::PaintPending()
{
    if (!display || update.IsEmpty())
        return;
    const CRegion pending = update;
    update.Clear();
    listener->OnNativePaint(pending);
    XFlush(display);
}

void X11NativeWindow::ProcessEvents()
{
    if (!display || !listener)
        return;
    while (display && XPending(display) > 0)
    {
        XEvent e;
        XNextEvent(display, &e);
        Dispatch(e);
    }
    if (display)
        FireTimers();
    PaintPending();
}

int X11NativeWindow::RunEventLoop()
{
    quit = false;
    while (!quit && display)
    {
        ProcessEvents();
        if (quit || !display)
            break;
        const int64_t wait = timers.MsUntilNext(NowMs());
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (XPending(display) == 0)
            poll(&fd, 1, wait < 0 ? 100 : static_cast<int>(std::min<int64_t>(wait, 100)));
    }
    return 0;
}

std::unique_ptr<NativePopup> X11NativeWindow::CreatePopup()
{
    if (!display)
        return nullptr;
    auto popup = std::make_unique<X11NativePopup>(
        display, false,
        [this](X11NativePopup* gone)
        { popups.erase(std::remove(popups.begin(), popups.end(), gone), popups.end()); });
    popups.push_back(popup.get());
    return popup;
}

} // namespace platform
