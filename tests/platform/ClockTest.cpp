#include <gtest/gtest.h>

#include <thread>

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

// The processor time is the calling thread's own: work on another thread does not count, however long the
// calling thread waits for it, and the calling thread's own work does.
TEST(ThreadProcessorSeconds, CountsOnlyTheCallingThreadsWork)
{
    constexpr double kWork = 0.05;
    // Spins until the thread has used `seconds`, or 20 s have passed on the wall clock (a clock that never
    // moves fails rather than hangs).
    const auto spinFor = [](double seconds)
    {
        const double begun = ThreadProcessorSeconds();
        const uint32_t started = GetTickCount();
        volatile unsigned sink = 0;
        while (ThreadProcessorSeconds() - begun < seconds && GetTickCount() - started < 20000u)
            for (int i = 0; i < 10000; ++i)
                sink = sink + static_cast<unsigned>(i);
        return ThreadProcessorSeconds() - begun;
    };
    const double before = ThreadProcessorSeconds();
    double other = 0.0;
    std::thread worker([&] { other = spinFor(kWork); });
    worker.join();
    EXPECT_GE(other, kWork);
    EXPECT_LT(ThreadProcessorSeconds() - before, kWork / 2);
    EXPECT_GE(spinFor(kWork), kWork);
}

} // namespace
