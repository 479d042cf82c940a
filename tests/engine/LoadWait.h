#pragma once

#include <chrono>
#include <thread>

#include "engine/SampleDataCache.h"

namespace enginetest
{

// Waits until the cache's background read has ended: a minute at most, generous for a sanitizer build on two
// busy cores.
inline bool WaitForLoadDone(const engine::SampleDataCache& cache)
{
    for (int i = 0; i < 6000 && !cache.loadDone(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return cache.loadDone();
}

} // namespace enginetest
