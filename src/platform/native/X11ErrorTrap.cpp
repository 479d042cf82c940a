#include "platform/native/X11ErrorTrap.h"

#include <atomic>
#include <mutex>

namespace platform
{

namespace
{
using ErrorHandler = int (*)(Display*, XErrorEvent*);

// The connections being trapped and the first error code each one saw. The handler reads them without
// a lock, since Xlib may call it while holding locks of its own; gLock only orders the traps' setting
// and ending among our threads.
constexpr int kSlots = 32;
struct TrapSlot
{
    std::atomic<Display*> display{nullptr};
    std::atomic<int> error{0};
};
std::mutex gLock;
TrapSlot gSlots[kSlots];
int gActive = 0;
std::atomic<ErrorHandler> gPrevious{nullptr};
// Another module's copy of this trap may be the previous handler and have ours as its own previous.
thread_local bool tInHandler = false;
} // namespace

X11ErrorTrap::X11ErrorTrap(Display* connection) : display(connection)
{
    if (!display)
        return;
    XSync(display, False); // errors of earlier requests are not this trap's
    std::lock_guard<std::mutex> guard(gLock);
    for (int i = 0; i < kSlots && slot < 0; ++i)
    {
        if (gSlots[i].display.load())
            continue;
        gSlots[i].error = 0;
        gSlots[i].display = display;
        slot = i;
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
    gSlots[slot].display = nullptr;
    if (--gActive > 0)
        return;
    // Someone else may have set a handler of their own meanwhile: theirs stays.
    const ErrorHandler current = XSetErrorHandler(gPrevious.load());
    if (current != &X11ErrorTrap::Handler)
        XSetErrorHandler(current);
    gPrevious = nullptr;
}

bool X11ErrorTrap::Failed()
{
    if (slot < 0)
        return false;
    XSync(display, False);
    return gSlots[slot].error.load() != 0;
}

int X11ErrorTrap::Handler(Display* connection, XErrorEvent* event)
{
    for (TrapSlot& s : gSlots)
    {
        if (s.display.load() != connection)
            continue;
        int none = 0;
        s.error.compare_exchange_strong(none, event && event->error_code ? event->error_code : 1);
        return 0;
    }
    const ErrorHandler previous = gPrevious.load();
    if (!previous || previous == &X11ErrorTrap::Handler || tInHandler)
        return 0;
    tInHandler = true;
    const int result = previous(connection, event);
    tInHandler = false;
    return result;
}

} // namespace platform
