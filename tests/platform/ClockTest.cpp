#include <gtest/gtest.h>

#include "platform/Platform.h"

using namespace platform;

namespace
{

TEST(TickFromClock, CountsMilliseconds)
{
    EXPECT_EQ(platform::TickFromClock(0, 0), 0u);
    EXPECT_EQ(platform::TickFromClock(1, 999999), 1000u);
    EXPECT_EQ(platform::TickFromClock(1, 1000000), 1001u);
    EXPECT_EQ(platform::TickFromClock(12, 345678901), 12345u);
}

TEST(TickFromClock, WrapsAsUnsigned32Bit)
{
    // 2^32 ms = 4294967.296 s.
    EXPECT_EQ(platform::TickFromClock(4294967, 295000000), 0xFFFFFFFFu);
    EXPECT_EQ(platform::TickFromClock(4294967, 296000000), 0u);
    EXPECT_EQ(platform::TickFromClock(4294968, 0), 704u);
    // Ten days past two full wraps.
    EXPECT_EQ(platform::TickFromClock(2 * 4294967ull + 864000, 592000000), 864000000u);
}

TEST(TickFromClock, DifferenceAcrossTheWrapIsTheElapsedTime)
{
    const uint32_t before = platform::TickFromClock(4294967, 200000000);
    const uint32_t after = platform::TickFromClock(4294967, 400000000);
    EXPECT_LT(after, before);
    EXPECT_EQ(static_cast<uint32_t>(after - before), 200u);
}

} // namespace
