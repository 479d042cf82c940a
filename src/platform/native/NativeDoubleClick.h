#pragma once
// Turns a second left press close in time and place into a double-click, as systems without
// double-click messages need.
#include <cstdint>

namespace platform
{

class NativeDoubleClick
{
public:
    static constexpr uint64_t kMaxIntervalMs = 500;
    static constexpr int kMaxDistance = 4;

    // A left press at a time and place; true when it completes a double-click.
    bool Press(uint64_t timeMs, int x, int y);

private:
    bool havePrevious = false;
    uint64_t time_ = 0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace platform
