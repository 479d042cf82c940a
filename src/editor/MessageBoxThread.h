#pragma once
// Shows the toolkit's message box on a thread of its own, so that the thread that asks (the host's
// loading thread) never waits for the user. One box at a time; a message that comes while one is shown
// is only logged. Without a display the box writes its text to the log. Any thread may call it.
#include <string>

namespace editor
{

class MessageBoxThread
{
public:
    // The instrument's message-box handler: starts the box and answers OK at once.
    static int show(const std::string& text, const std::string& caption, unsigned style);
    // True while a box is on screen.
    static bool busy();
    // Waits until the box shown (if any) is closed.
    static void wait();
};

} // namespace editor
