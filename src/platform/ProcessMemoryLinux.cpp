#include <cstdio>

#include "platform/ProcessMemory.h"

namespace platform
{

uint64_t ResidentMemoryBytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0;
    uint64_t bytes = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr)
    {
        unsigned long long kilobytes = 0;
        // The kernel reports "VmRSS:   123456 kB".
        if (std::sscanf(line, "VmRSS: %llu kB", &kilobytes) == 1)
        {
            bytes = static_cast<uint64_t>(kilobytes) * 1024;
            break;
        }
    }
    std::fclose(status);
    return bytes;
}

} // namespace platform
