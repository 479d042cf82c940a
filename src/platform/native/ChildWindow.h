#pragma once
// The newest window inside a host's window, asked of the display server on a connection of its own: the
// window an editor just made there, which an X11 host takes as the editor's own window. X11 only; the
// host's user-interface thread.

namespace platform
{

// 0 when the parent has no child window or the display cannot be reached.
unsigned long NewestChildWindow(unsigned long parent);

} // namespace platform
