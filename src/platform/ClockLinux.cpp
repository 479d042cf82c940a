#include <time.h>
#include <cerrno>

#include "Platform.h"

namespace platform {

uint32_t TickFromClock(uint64_t seconds, uint32_t nanoseconds) {
  // Unsigned arithmetic wraps the millisecond count modulo 2^32.
  return static_cast<uint32_t>(seconds * 1000u + nanoseconds / 1000000u);
}

uint32_t GetTickCount() {
  struct timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return TickFromClock(static_cast<uint64_t>(now.tv_sec), static_cast<uint32_t>(now.tv_nsec));
}

uint32_t TimeGetTime() { return GetTickCount(); }

void SleepMilliseconds(uint32_t milliseconds) {
  struct timespec wait {};
  wait.tv_sec = static_cast<time_t>(milliseconds / 1000u);
  wait.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
  // A signal may cut the sleep short; sleep on for the rest.
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

LocalTime GetLocalTime() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm local {};
  const time_t seconds = now.tv_sec;
  localtime_r(&seconds, &local);
  LocalTime time{};
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  time.second = local.tm_sec;
  time.milliseconds = static_cast<int>(now.tv_nsec / 1000000L);
  return time;
}

}  // namespace platform
