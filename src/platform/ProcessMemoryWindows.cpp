#include <windows.h>

#include <psapi.h>

#include "platform/ProcessMemory.h"

namespace platform
{

uint64_t ResidentMemoryBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    // The working set: the pages of the process that are in RAM.
    return counters.WorkingSetSize;
}

} // namespace platform
