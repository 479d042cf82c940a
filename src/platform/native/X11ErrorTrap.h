#pragma once
// Catches the X errors of a few calls that may fail harmlessly (focus on an unmapped window, a window
// the host destroyed), instead of letting the default handler end the host's process. Xlib's error
// handler is one per process while editors, pop-ups and the splash each have a connection on a thread
// of their own: a trap records only its own connection's errors and hands every other one to the
// handler that was there before ours.
#include <X11/Xlib.h>

namespace platform
{

class X11ErrorTrap
{
public:
    explicit X11ErrorTrap(Display* connection);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
    // Waits for the server's answers; true when an error on this connection arrived since the trap was set.
    bool Failed();

private:
    static int Handler(Display* connection, XErrorEvent* event);
    Display* display;
    int slot = -1;
};

} // namespace platform
