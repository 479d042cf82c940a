#include "platform/native/X11ErrorTrap.h"

#include <mutex>

namespace platform
{

namespace
{
using ErrorHandler = int (*)(Display*, XErrorEvent*);

// The connections being trapped and the first error code each one saw. Guarded by gLock; Xlib calls
// the handler on the thread that reads the error, never while that thread holds gLock.
constexpr int kSlots = 32;
struct TrapSlot
{
    Display* display = nullptr;
    int error = 0;
};
std::mutex gLock;
TrapSlot gSlots[kSlots];
int gActive = 0;
ErrorHandler gPrevious = nullptr;
} // namespace

X11ErrorTrap::X11ErrorTrap(Display* connection) : display(connection)
{
    if (!display)
        return;
    XSync(display, False); // errors of earlier requests are not this trap's
    std::lock_guard<std::mutex> guard(gLock);
    for (int i = 0; i < kSlots; ++i)
    {
        if (gSlots[i].display)
            continue;
        gSlots[i] = {display, 0};
        slot = i;
        break;
    }
    if (slot >= 0 && gActive++ == 0)
        gPrevious = XSetErrorHandler(&X11ErrorTrap::Handler);
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (slot < 0)
        return;
    XSync(display, False);
    std::lock_guard<std::mutex> guard(gLock);
    gSlots[slot] = {};
    if (--gActive > 0)
        return;
    // Someone else may have set a handler of their own meanwhile: theirs stays.
    const ErrorHandler current = XSetErrorHandler(gPrevious);
    if (current != &X11ErrorTrap::Handler)
        XSetErrorHandler(current);
    gPrevious = nullptr;
}

bool X11ErrorTrap::Failed()
{
    if (slot < 0)
        return false;
    XSync(display, False);
    std::lock_guard<std::mutex> guard(gLock);
    return gSlots[slot].error != 0;
}

int X11ErrorTrap::Handler(Display* connection, XErrorEvent* event)
{
    ErrorHandler previous = nullptr;
    {
        std::lock_guard<std::mutex> guard(gLock);
        for (TrapSlot& s : gSlots)
        {
            if (s.display != connection)
                continue;
            if (s.error == 0)
                s.error = event && event->error_code ? event->error_code : 1;
            return 0;
        }
        previous = gPrevious;
    }
    return previous && previous != &X11ErrorTrap::Handler ? previous(connection, event) : 0;
}

} // namespace platform
