#pragma once

namespace gui
{
// The application's hook into the window's refresh timer.
class TWGuiWindowCallback
{
public:
    virtual ~TWGuiWindowCallback() = default;
    // Called on every refresh tick (40 ms) before the dirty region goes to the screen.
    virtual void OnRefreshTick() = 0;
};

} // namespace gui
