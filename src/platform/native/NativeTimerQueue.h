#pragma once
// Periodic timers by id, fired when due against a millisecond clock; shared by the native windows.
#include <cstdint>
#include <vector>

namespace platform
{

class NativeTimerQueue
{
public:
    void Set(unsigned id, unsigned periodMs, uint64_t nowMs);
    bool Kill(unsigned id);
    bool IsSet(unsigned id) const;
    // Ids due at now, each rescheduled one period later (at most once per call, so slow work
    // does not pile up ticks); the caller fires those still set.
    std::vector<unsigned> TakeDue(uint64_t nowMs);
    // Milliseconds until the next timer is due, or -1 when none is set.
    int64_t MsUntilNext(uint64_t nowMs) const;
    void Clear() { timers_.clear(); }

private:
    struct Timer
    {
        unsigned id;
        unsigned period;
        uint64_t due;
    };
    std::vector<Timer> timers_;
};

} // namespace platform
