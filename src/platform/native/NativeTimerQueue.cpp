#include "platform/native/NativeTimerQueue.h"

#include <algorithm>

namespace platform
{

void NativeTimerQueue::Set(unsigned id, unsigned periodMs, uint64_t nowMs)
{
    Kill(id);
    timers_.push_back({id, periodMs, nowMs + periodMs});
}

bool NativeTimerQueue::Kill(unsigned id)
{
    const auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
    if (it == timers_.end())
        return false;
    timers_.erase(it);
    return true;
}

bool NativeTimerQueue::IsSet(unsigned id) const
{
    return std::any_of(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
}

std::vector<unsigned> NativeTimerQueue::TakeDue(uint64_t nowMs)
{
    std::vector<Timer*> due;
    for (Timer& t : timers_)
        if (t.due <= nowMs)
            due.push_back(&t);
    // Earliest first, so timers fire in the order they fell due.
    std::stable_sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) { return a->due < b->due; });
    std::vector<unsigned> ids;
    for (Timer* t : due)
    {
        ids.push_back(t->id);
        t->due = nowMs + std::max(1u, t->period);
    }
    return ids;
}

int64_t NativeTimerQueue::MsUntilNext(uint64_t nowMs) const
{
    int64_t best = -1;
    for (const Timer& t : timers_)
    {
        const int64_t wait = t.due <= nowMs ? 0 : static_cast<int64_t>(t.due - nowMs);
        if (best < 0 || wait < best)
            best = wait;
    }
    return best;
}

} // namespace platform
