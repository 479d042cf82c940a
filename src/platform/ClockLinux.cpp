#include <time.h>

#include <chrono>
#include <thread>

#include "platform/Platform.h"

namespace platform
{

uint32_t TickFromClock(uint64_t seconds, uint32_t nanoseconds)
{
    // Unsigned arithmetic wraps the millisecond count modulo 2^32.
    return static_cast<uint32_t>(seconds * 1000u + nanoseconds / 1000000u);
}

uint32_t GetTickCount()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceStart);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart - seconds);
    return TickFromClock(static_cast<uint64_t>(seconds.count()), static_cast<uint32_t>(nanoseconds.count()));
}

uint32_t TimeGetTime()
{
    return GetTickCount();
}

double ThreadProcessorSeconds()
{
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return 0.0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void SleepMilliseconds(uint32_t milliseconds)
{
    // Sleeps the whole time even when a signal interrupts it.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

LocalTime GetLocalTime()
{
    const auto now = std::chrono::system_clock::now();
    const time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    struct tm local
    {
    };
    localtime_r(&seconds, &local);
    LocalTime time{};
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    time.milliseconds = static_cast<int>(milliseconds < 0 ? milliseconds + 1000 : milliseconds);
    return time;
}

} // namespace platform
