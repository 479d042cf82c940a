// The memory probe on any system the tests run on: figures that agree with each other.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace
{

TEST(GetMemoryStatus, ReportsConsistentFigures)
{
    platform::MemoryStatus status{};
    ASSERT_TRUE(platform::GetMemoryStatus(status));
    EXPECT_GT(status.totalPhys, 0u);
    EXPECT_LE(status.availPhys, status.totalPhys);
    EXPECT_LE(status.availPageFile, status.totalPageFile);
    EXPECT_GT(status.totalVirtual, 0u);
    EXPECT_LT(status.availVirtual, status.totalVirtual);
    EXPECT_LE(status.memoryLoad, 100u);
}

} // namespace
