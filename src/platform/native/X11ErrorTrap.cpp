#include "platform/native/X11ErrorTrap.h"

#include <atomic>

namespace platform
{

namespace
{
std::atomic<int> gLastError{0};
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display)
{
    XSync(display_, False);
    gLastError = 0;
    previous_ = XSetErrorHandler(&X11ErrorTrap::Handler);
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool X11ErrorTrap::Failed()
{
    XSync(display_, False);
    return gLastError != 0;
}

int X11ErrorTrap::Handler(Display*, XErrorEvent* event)
{
    gLastError = event ? event->error_code : 1;
    return 0;
}

} // namespace platform
