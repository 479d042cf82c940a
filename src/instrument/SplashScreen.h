// The splash screen an instance holds while the process's first sound-bank read runs. The module
// supplies it (the instrument does not draw), so here it is only what the instrument keeps and lets go:
// deleting it ends the instance's hold, and the screen closes when the read is done or every holder
// has gone. Created and deleted on the thread that constructs and destroys the instance.
#pragma once

namespace instrument
{

class SplashScreen
{
public:
    virtual ~SplashScreen() = default;
};

} // namespace instrument
