#include <X11/Xlib.h>

#include "platform/native/ChildWindow.h"
#include "platform/native/X11ErrorTrap.h"

namespace platform
{

namespace
{
// Round trips to wait for a window that another connection has just made and flushed.
constexpr int kRoundTrips = 20;
} // namespace

unsigned long NewestChildWindow(unsigned long parent)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    Window newest = 0;
    {
        X11ErrorTrap trap(display);
        for (int attempt = 0; attempt < kRoundTrips && newest == 0; ++attempt)
        {
            Window root = 0;
            Window itsParent = 0;
            Window* children = nullptr;
            unsigned count = 0;
            if (XQueryTree(display, static_cast<Window>(parent), &root, &itsParent, &children, &count) != 0 &&
                children)
            {
                // Children come bottom first: the one made last is on top.
                if (count > 0)
                    newest = children[count - 1];
                XFree(children);
            }
            if (trap.Failed())
                break;
            XSync(display, False);
        }
    }
    XCloseDisplay(display);
    return newest;
}

} // namespace platform
