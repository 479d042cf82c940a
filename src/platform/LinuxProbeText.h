// Readers of the Linux system files behind the start-up probes, kept apart from
// the system calls so they can be fed any text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform
{

// Physical memory, swap and load from /proc/meminfo; false when MemTotal is
// missing. The virtual fields are left alone.
bool ParseMemInfo(const std::string& meminfo, MemoryStatus& status);

// "VmSize" of /proc/self/status in bytes; 0 when missing.
uint64_t ParseVmSizeBytes(const std::string& processStatus);

struct MountEntry
{
    std::string device;
    std::string mountPoint;
    std::string type;
    std::string options;
};
// The lines of /proc/self/mounts, octal escapes ("\040") decoded.
std::vector<MountEntry> ParseMounts(const std::string& mounts);
// A real local file system: not a pseudo or network one, and not a read-only
// squash image or loop mount.
bool IsLocalFileSystem(const MountEntry& mount);
// The local file systems in mount order, each device only once (bind mounts of
// a device already listed are left out).
std::vector<MountEntry> SelectLocalFileSystems(const std::vector<MountEntry>& mounts);

// "cpu MHz" of the first processor in /proc/cpuinfo, rounded; 0 when missing.
uint32_t ParseCpuInfoMHz(const std::string& cpuinfo);
// A cpufreq file's kilohertz as MHz, rounded; 0 when not a number.
uint32_t ParseKHzAsMHz(const std::string& text);

// The value of key in os-release text, outer quotes removed; empty if missing.
std::string OsReleaseValue(const std::string& osRelease, const std::string& key);
// "<PRETTY_NAME>, <sysname> <release> <machine> (Build <version>)".
std::string ComposeOsDescription(const std::string& osRelease, const std::string& sysname,
                                 const std::string& release, const std::string& version,
                                 const std::string& machine);

} // namespace platform
