#include "platform/LinuxProbeText.h"

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

namespace platform
{
namespace
{

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// The value of a "Name:   123 kB" line; found is false when the name is absent.
uint64_t KilobyteField(const std::string& text, const std::string& name, bool& found)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || Trim(line.substr(0, colon)) != name)
            continue;
        found = true;
        return std::strtoull(line.c_str() + colon + 1, nullptr, 10) * 1024u;
    }
    found = false;
    return 0;
}

std::string DecodeMountField(const std::string& field)
{
    std::string decoded;
    for (size_t i = 0; i < field.size(); ++i)
    {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7')
        {
            decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                         (field[i + 3] - '0'));
            i += 3;
        }
        else
        {
            decoded += field[i];
        }
    }
    return decoded;
}

bool HasOption(const std::string& options, const std::string& option)
{
    std::istringstream list(options);
    std::string item;
    while (std::getline(list, item, ','))
    {
        if (item == option)
            return true;
    }
    return false;
}

uint32_t RoundedMHz(double mhz)
{
    if (!(mhz > 0.0) || mhz > 4.0e9)
        return 0;
    return static_cast<uint32_t>(std::lround(mhz));
}

} // namespace

bool ParseMemInfo(const std::string& meminfo, MemoryStatus& status)
{
    bool found = false;
    const uint64_t total = KilobyteField(meminfo, "MemTotal", found);
    if (!found || total == 0)
        return false;
    uint64_t available = KilobyteField(meminfo, "MemAvailable", found);
    if (!found)
    {
        // Kernels before 3.14 have no estimate of their own.
        bool part = false;
        available = KilobyteField(meminfo, "MemFree", part) + KilobyteField(meminfo, "Buffers", part) +
                    KilobyteField(meminfo, "Cached", part);
    }
    if (available > total)
        available = total;
    status.totalPhys = total;
    status.availPhys = available;
    status.memoryLoad = static_cast<uint32_t>((total - available) * 100 / total);
    status.totalPageFile = KilobyteField(meminfo, "SwapTotal", found);
    status.availPageFile = KilobyteField(meminfo, "SwapFree", found);
    if (status.availPageFile > status.totalPageFile)
        status.availPageFile = status.totalPageFile;
    return true;
}

uint64_t ParseVmSizeBytes(const std::string& processStatus)
{
    bool found = false;
    return KilobyteField(processStatus, "VmSize", found);
}

std::vector<MountEntry> ParseMounts(const std::string& mounts)
{
    std::vector<MountEntry> entries;
    std::istringstream lines(mounts);
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream fields(line);
        MountEntry entry;
        if (!(fields >> entry.device >> entry.mountPoint >> entry.type >> entry.options))
            continue;
        entry.device = DecodeMountField(entry.device);
        entry.mountPoint = DecodeMountField(entry.mountPoint);
        entries.push_back(entry);
    }
    return entries;
}

bool IsLocalFileSystem(const MountEntry& mount)
{
    static const std::set<std::string> kNotLocal = {
        // pseudo file systems
        "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "ramfs", "rootfs", "cgroup", "cgroup2", "securityfs",
        "debugfs", "tracefs", "pstore", "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc",
        "autofs", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "nfsd", "devfs", "usbfs", "sockfs", "pipefs",
        "none",
        // network file systems
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs", "lustre", "davfs",
        "coda", "gfs2", "ocfs2", "fuse", "fuse.sshfs",
        // read-only images
        "squashfs", "iso9660", "udf"};
    if (kNotLocal.count(mount.type) != 0)
        return false;
    // User-space file systems are remote or virtual unless they sit on a block device.
    if (mount.type.compare(0, 5, "fuse.") == 0)
        return false;
    if (mount.device.compare(0, 9, "/dev/loop") == 0 && HasOption(mount.options, "ro"))
        return false;
    return !mount.mountPoint.empty() && mount.mountPoint[0] == '/';
}

std::vector<MountEntry> SelectLocalFileSystems(const std::vector<MountEntry>& mounts)
{
    std::vector<MountEntry> selected;
    std::set<std::string> devices;
    std::set<std::string> mountPoints;
    for (const MountEntry& mount : mounts)
    {
        if (!IsLocalFileSystem(mount))
            continue;
        // A bind mount of a device already listed shows the same free space again.
        if (!devices.insert(mount.device).second)
            continue;
        if (!mountPoints.insert(mount.mountPoint).second)
            continue;
        selected.push_back(mount);
    }
    return selected;
}

uint32_t ParseCpuInfoMHz(const std::string& cpuinfo)
{
    std::istringstream lines(cpuinfo);
    std::string line;
    while (std::getline(lines, line))
    {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || Trim(line.substr(0, colon)) != "cpu MHz")
            continue;
        return RoundedMHz(std::strtod(line.c_str() + colon + 1, nullptr));
    }
    return 0;
}

uint32_t ParseKHzAsMHz(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return 0;
    char* end = nullptr;
    const double khz = std::strtod(trimmed.c_str(), &end);
    if (end == nullptr || *end != '\0')
        return 0;
    return RoundedMHz(khz / 1000.0);
}

std::string OsReleaseValue(const std::string& osRelease, const std::string& key)
{
    std::istringstream lines(osRelease);
    std::string line;
    while (std::getline(lines, line))
    {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)) != key)
            continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
        {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return std::string();
}

std::string ComposeOsDescription(const std::string& osRelease, const std::string& sysname,
                                 const std::string& release, const std::string& version,
                                 const std::string& machine)
{
    std::string distribution = OsReleaseValue(osRelease, "PRETTY_NAME");
    if (distribution.empty())
        distribution = OsReleaseValue(osRelease, "NAME");
    std::string text = distribution;
    std::string kernel = sysname;
    for (const std::string* part : {&release, &machine})
    {
        if (part->empty())
            continue;
        if (!kernel.empty())
            kernel += ' ';
        kernel += *part;
    }
    if (!kernel.empty())
    {
        if (!text.empty())
            text += ", ";
        text += kernel;
    }
    if (!version.empty())
    {
        if (!text.empty())
            text += ' ';
        text += "(Build " + version + ")";
    }
    return text.empty() ? std::string("Unknown operating system") : text;
}

} // namespace platform
