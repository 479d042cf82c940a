#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/ProcessMemory.h"

using namespace platform;

namespace
{

TEST(ResidentMemoryBytes, GrowsByABlockThatIsWrittenTo)
{
    constexpr size_t kBlock = 64u << 20;
    const uint64_t before = platform::ResidentMemoryBytes();
    ASSERT_GT(before, 0u);
    std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]);
    // Writing every byte makes the pages resident.
    std::memset(block.get(), 0x5A, kBlock);
    const uint64_t after = platform::ResidentMemoryBytes();
    EXPECT_EQ(block[kBlock - 1], 0x5A);
    EXPECT_GE(after, before + kBlock * 3 / 4);
    EXPECT_LT(after, before + kBlock * 2);
}

} // namespace
