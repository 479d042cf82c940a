// The probes on the machine the tests run on: only what holds on any Linux.
#include <gtest/gtest.h>

#include "platform/Platform.h"

using namespace platform;

namespace
{

TEST(FixedDrives, RootsAreAbsoluteAndDistinct)
{
    const std::vector<platform::FixedDrive> drives = platform::FixedDrives(20000);
    for (size_t i = 0; i < drives.size(); ++i)
    {
        ASSERT_FALSE(drives[i].root.empty());
        EXPECT_EQ(drives[i].root[0], '/');
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(drives[i].root, drives[j].root);
    }
}

TEST(OsDescription, IsOneNonEmptyLine)
{
    const std::string text = platform::OsDescription();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

} // namespace
