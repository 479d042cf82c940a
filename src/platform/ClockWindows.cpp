#include <windows.h>

#include <mmsystem.h>

#include "platform/Platform.h"

namespace platform
{

uint32_t TickFromClock(uint64_t seconds, uint32_t nanoseconds)
{
    // Unsigned arithmetic wraps the millisecond count modulo 2^32.
    return static_cast<uint32_t>(seconds * 1000u + nanoseconds / 1000000u);
}

double ThreadProcessorSeconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0.0;
    // FILETIME counts 100-nanosecond intervals.
    const auto ticks = [](const FILETIME& time)
    { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

uint32_t GetTickCount()
{
    return ::GetTickCount();
}

uint32_t TimeGetTime()
{
    return ::timeGetTime();
}

void SleepMilliseconds(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

LocalTime GetLocalTime()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    LocalTime time{};
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.milliseconds = now.wMilliseconds;
    return time;
}

} // namespace platform
