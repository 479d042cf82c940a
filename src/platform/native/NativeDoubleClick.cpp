#include "platform/native/NativeDoubleClick.h"

#include <cstdlib>

namespace platform
{

bool NativeDoubleClick::Press(uint64_t timeMs, int x, int y)
{
    const bool isDouble = havePrevious && timeMs >= previousTimeMs &&
                          timeMs - previousTimeMs <= kMaxIntervalMs &&
                          std::abs(x - previousX) <= kMaxDistance && std::abs(y - previousY) <= kMaxDistance;
    // A third press starts a new pair rather than making another double-click.
    havePrevious = !isDouble;
    previousTimeMs = timeMs;
    previousX = x;
    previousY = y;
    return isDouble;
}

} // namespace platform
