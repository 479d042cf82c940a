#include <gtest/gtest.h>

#include "platform/Platform.h"

using namespace platform;

namespace
{

TEST(TickFromClock, CountsMillisecondsAndWrapsAsUnsigned32Bit)
{
    const struct
    {
        uint64_t seconds;
        uint32_t nanoseconds;
        uint32_t tick;
    } cases[] = {
        {0, 0, 0u},
        {1, 999999, 1000u},
        {1, 1000000, 1001u},
        {12, 345678901, 12345u},
        // 2^32 ms = 4294967.296 s.
        {4294967, 295000000, 0xFFFFFFFFu},
        {4294967, 296000000, 0u},
        {4294968, 0, 704u},
        {2 * 4294967ull + 864000, 592000000, 864000000u}, // ten days past two full wraps
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::TickFromClock(c.seconds, c.nanoseconds), c.tick)
            << c.seconds << " s " << c.nanoseconds;
    // Differences across the wrap are still the elapsed time.
    EXPECT_EQ(platform::TickFromClock(4294967, 400000000) - platform::TickFromClock(4294967, 200000000),
              200u);
}

} // namespace
