#include <gtest/gtest.h>

#include "platform/LinuxProbeText.h"

using namespace platform;

namespace
{

using platform::MountEntry;

TEST(ParseMemInfo, UsesAvailableMemoryOrOnOldKernelsFreeBuffersAndCacheAndFailsWithoutTotal)
{
    const struct
    {
        const char* meminfo;
        uint64_t totalKb, availKb, swapKb, swapFreeKb;
        uint32_t load;
    } cases[] = {
        {"MemTotal:       16000000 kB\nMemFree:         1000000 kB\nMemAvailable:    4000000 kB\n"
         "Buffers:          100000 kB\nCached:          2000000 kB\nSwapCached:            0 kB\n"
         "SwapTotal:       2000000 kB\nSwapFree:        1500000 kB\n",
         16000000, 4000000, 2000000, 1500000, 75},
        {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 150 kB\n", 1000, 300, 0, 0, 70},
    };
    for (const auto& c : cases)
    {
        platform::MemoryStatus status{};
        ASSERT_TRUE(platform::ParseMemInfo(c.meminfo, status)) << c.meminfo;
        EXPECT_EQ(status.totalPhys, c.totalKb * 1024);
        EXPECT_EQ(status.availPhys, c.availKb * 1024);
        EXPECT_EQ(status.memoryLoad, c.load);
        EXPECT_EQ(status.totalPageFile, c.swapKb * 1024);
        EXPECT_EQ(status.availPageFile, c.swapFreeKb * 1024);
    }
    platform::MemoryStatus status{};
    EXPECT_FALSE(platform::ParseMemInfo("MemFree: 100 kB\n", status));
    EXPECT_FALSE(platform::ParseMemInfo("", status));
}

TEST(ParseVmSizeBytes, ReadsTheProcessSize)
{
    EXPECT_EQ(platform::ParseVmSizeBytes("Name:\thost\nVmPeak:\t  9000 kB\nVmSize:\t  8000 kB\n"),
              8000ull * 1024);
    EXPECT_EQ(platform::ParseVmSizeBytes("Name:\thost\n"), 0u);
}

TEST(ParseMounts, DecodesEscapedBlanks)
{
    const auto mounts =
        platform::ParseMounts("/dev/sdb1 /media/My\\040Disk ext4 rw,relatime 0 0\nbroken line\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].device, "/dev/sdb1");
    EXPECT_EQ(mounts[0].mountPoint, "/media/My Disk");
    EXPECT_EQ(mounts[0].type, "ext4");
    EXPECT_EQ(mounts[0].options, "rw,relatime");
}

TEST(IsLocalFileSystem, KeepsDisksAndSkipsPseudoNetworkAndImages)
{
    auto local = [](const char* device, const char* type, const char* options) {
        return platform::IsLocalFileSystem(MountEntry{device, "/x", type, options});
    };
    EXPECT_TRUE(local("/dev/nvme0n1p2", "ext4", "rw"));
    EXPECT_TRUE(local("/dev/sda1", "vfat", "rw"));
    EXPECT_TRUE(local("/dev/sdb1", "fuseblk", "rw"));
    EXPECT_TRUE(local("rpool/home", "zfs", "rw"));
    EXPECT_TRUE(local("overlay", "overlay", "rw"));
    EXPECT_TRUE(local("/dev/loop3", "ext4", "rw"));
    EXPECT_FALSE(local("proc", "proc", "rw"));
    EXPECT_FALSE(local("tmpfs", "tmpfs", "rw"));
    EXPECT_FALSE(local("cgroup2", "cgroup2", "rw"));
    EXPECT_FALSE(local("server:/export", "nfs4", "rw"));
    EXPECT_FALSE(local("//server/share", "cifs", "rw"));
    EXPECT_FALSE(local("user@host:", "fuse.sshfs", "rw"));
    EXPECT_FALSE(local("gvfsd-fuse", "fuse.gvfsd-fuse", "rw"));
    EXPECT_FALSE(local("/dev/loop0", "squashfs", "ro"));
    EXPECT_FALSE(local("/dev/loop4", "ext4", "ro,relatime"));
}

TEST(SelectLocalFileSystems, ListsEachDeviceOnceInMountOrder)
{
    const auto selected = platform::SelectLocalFileSystems({
        {"/dev/sda2", "/", "ext4", "rw"},
        {"proc", "/proc", "proc", "rw"},
        {"/dev/sda1", "/boot/efi", "vfat", "rw"},
        {"/dev/sda2", "/var/snap/bind", "ext4", "rw"},
        {"/dev/sdb1", "/home", "xfs", "rw"},
    });
    ASSERT_EQ(selected.size(), 3u);
    EXPECT_EQ(selected[0].mountPoint, "/");
    EXPECT_EQ(selected[1].mountPoint, "/boot/efi");
    EXPECT_EQ(selected[2].mountPoint, "/home");
}

TEST(ParseCpuInfoMHz, RoundsTheFirstProcessor)
{
    EXPECT_EQ(platform::ParseCpuInfoMHz("processor\t: 0\ncpu MHz\t\t: 2995.512\n"
                                        "processor\t: 1\ncpu MHz\t\t: 800.000\n"),
              2996u);
    EXPECT_EQ(platform::ParseCpuInfoMHz("processor : 0\nBogoMIPS : 48.00\n"), 0u);
}

} // namespace
