#pragma once

#include <atomic>
#include <cstdint>

namespace zreverb
{

// One draw in 0..32767, the range the reverb's tables are scaled for, from the reverb's own copy of the
// Windows C run-time's generator (x = x * 214013 + 2531011, bits 16..30 of x), seeded with 1 as at process
// start. Not std::rand: other C run-times draw other sequences, and a host's own calls of rand() or srand()
// would change the reverb from one session to the next; with its own copy a preset sounds the same on every
// system and in every render. Process-wide like the run-time's; called only while objects are built, never on
// the audio path.
inline std::atomic<uint32_t>& RuntimeRandomState()
{
    static std::atomic<uint32_t> state{1};
    return state;
}

// Starts the sequence again from seed, as srand() does for the run-time's generator.
inline void SeedRuntimeRandom(uint32_t seed)
{
    RuntimeRandomState().store(seed, std::memory_order_relaxed);
}

inline int RuntimeRandom15()
{
    std::atomic<uint32_t>& state = RuntimeRandomState();
    uint32_t current = state.load(std::memory_order_relaxed);
    uint32_t next = 0;
    do
    {
        next = current * 214013u + 2531011u;
    } while (!state.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

} // namespace zreverb
