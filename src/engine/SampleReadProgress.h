#pragma once

#include <atomic>
#include <cstdint>

namespace engine
{

// The words the background read and the host thread exchange without a lock. The read writes
// loadPercent, bytesRead and, last of all, loadDone; the host thread writes cancelLoad.
struct SampleReadProgress
{
    std::atomic<int32_t> loadPercent{0};
    std::atomic<int32_t> loadDone{0};
    std::atomic<int32_t> cancelLoad{0};
    std::atomic<uint32_t> bytesRead{0};
};

} // namespace engine
