// The start-up probes on Windows: only what holds on any Windows (or Wine) machine.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace
{

TEST(FixedDrives, AreDriveRootsEachOnce)
{
    EXPECT_TRUE(platform::FixedDrives(0).empty());
    const std::vector<platform::FixedDrive> drives = platform::FixedDrives(20000);
    ASSERT_FALSE(drives.empty()); // the system drive at least
    for (size_t i = 0; i < drives.size(); ++i)
    {
        ASSERT_EQ(drives[i].root.size(), 3u) << drives[i].root;
        EXPECT_EQ(drives[i].root.substr(1), ":\\");
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(drives[i].root, drives[j].root);
    }
}

TEST(OsDescription, NamesTheWindowsReleaseOnOneLine)
{
    const std::string text = platform::OsDescription();
    EXPECT_EQ(text.rfind("Microsoft ", 0), 0u) << text;
    EXPECT_NE(text.find(" (Build "), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

} // namespace
