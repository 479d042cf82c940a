#pragma once
// The splash screen of the first sound-bank read: the skin's "splash" picture with the notice, the
// loading text and a progress bar, shown above everything in the middle of the screen. It runs on a
// thread of its own with its own display connection, since a host pumps no events for an instance
// without an open editor, and it never holds up the host: creating it starts that thread, deleting it
// waits at most for the thread to take down its window. Instances that ask while it is up share it;
// it closes when the read reaches 100 % or its last holder is deleted. Without a display it shows
// nothing and logs why.
#include <string>

#include "instrument/SplashScreen.h"

namespace editor
{

class CSplashDialog : public instrument::SplashScreen
{
public:
    static constexpr unsigned kTimerMs = 250;
    static constexpr int kWidth = 330;
    static constexpr int kHeight = 200;

    CSplashDialog(const std::string& skinFile, void* parentWindow);
    ~CSplashDialog() override;

    // The instrument's splash factory.
    static instrument::SplashScreen* create(const std::string& skinFile, void* parentWindow);
    // True while the splash window is on screen (for tests).
    static bool isShowing();
};

} // namespace editor
