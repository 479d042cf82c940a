#pragma once
// Catches the X errors of a few calls that may fail harmlessly (focus on an unmapped window),
// instead of letting the default handler end the host's process. Restores the previous handler.
#include <X11/Xlib.h>

namespace platform
{

class X11ErrorTrap
{
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    // Waits for the server's answers; true when an error arrived since the trap was set.
    bool Failed();

private:
    static int Handler(Display*, XErrorEvent* event);
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

} // namespace platform
