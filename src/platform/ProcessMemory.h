// How much memory this process holds, for benchmarks and diagnostics.
#pragma once

#include <cstdint>

namespace platform
{

// Resident memory of this process in bytes (pages actually in RAM); 0 when it cannot be read.
uint64_t ResidentMemoryBytes();

} // namespace platform
