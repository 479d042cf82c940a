#include "platform/native/NativeDoubleClick.h"

#include <cstdlib>

namespace platform
{

bool NativeDoubleClick::Press(uint64_t timeMs, int x, int y)
{
    const bool isDouble = havePrevious && timeMs >= time_ && timeMs - time_ <= kMaxIntervalMs &&
                          std::abs(x - x_) <= kMaxDistance && std::abs(y - y_) <= kMaxDistance;
    // A third press starts a new pair rather than making another double-click.
    havePrevious = !isDouble;
    time_ = timeMs;
    x_ = x;
    y_ = y;
    return isDouble;
}

} // namespace platform
