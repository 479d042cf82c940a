// Start-up probes read from /proc, /sys and /etc.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <fstream>
#include <sstream>

#include "platform/LinuxProbeText.h"
#include "platform/Platform.h"

namespace platform
{
namespace
{

std::string ReadTextFile(const char* path)
{
    std::ifstream file(path);
    if (!file)
        return std::string();
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

uint64_t AddressSpaceBytes()
{
    // The user part of the address space; a finite RLIMIT_AS narrows it.
    uint64_t total = sizeof(void*) == 8 ? (uint64_t{1} << 47) : uint64_t{0xC0000000};
    struct rlimit limit
    {
    };
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<uint64_t>(limit.rlim_cur) < total)
    {
        total = static_cast<uint64_t>(limit.rlim_cur);
    }
    return total;
}

bool IsDirectory(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string OsDescription()
{
    std::string osRelease = ReadTextFile("/etc/os-release");
    if (osRelease.empty())
        osRelease = ReadTextFile("/usr/lib/os-release");
    struct utsname names
    {
    };
    if (uname(&names) != 0)
        return ComposeOsDescription(osRelease, "", "", "", "");
    return ComposeOsDescription(osRelease, names.sysname, names.release, names.version, names.machine);
}

bool GetMemoryStatus(MemoryStatus& status)
{
    MemoryStatus measured{};
    if (!ParseMemInfo(ReadTextFile("/proc/meminfo"), measured))
        return false;
    measured.totalVirtual = AddressSpaceBytes();
    const uint64_t used = ParseVmSizeBytes(ReadTextFile("/proc/self/status"));
    measured.availVirtual = used < measured.totalVirtual ? measured.totalVirtual - used : 0;
    status = measured;
    return true;
}

std::vector<FixedDrive> FixedDrives(uint32_t boundMs)
{
    const uint32_t start = GetTickCount();
    std::vector<FixedDrive> drives;
    const std::vector<MountEntry> mounts =
        SelectLocalFileSystems(ParseMounts(ReadTextFile("/proc/self/mounts")));
    for (const MountEntry& mount : mounts)
    {
        if (GetTickCount() - start >= boundMs)
            break;
        // Files bound into a container's tree are not drives.
        if (!IsDirectory(mount.mountPoint))
            continue;
        struct statvfs space
        {
        };
        if (statvfs(mount.mountPoint.c_str(), &space) != 0)
            continue;
        drives.push_back(FixedDrive{mount.mountPoint, static_cast<uint64_t>(space.f_bavail) *
                                                          static_cast<uint64_t>(space.f_frsize)});
    }
    return drives;
}

uint32_t CpuSpeedMHz()
{
    // The rated speed first, as a system-information line should show.
    for (const char* path : {"/sys/devices/system/cpu/cpu0/cpufreq/base_frequency",
                             "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"})
    {
        const uint32_t mhz = ParseKHzAsMHz(ReadTextFile(path));
        if (mhz > 0)
            return mhz;
    }
    return ParseCpuInfoMHz(ReadTextFile("/proc/cpuinfo"));
}

} // namespace platform
