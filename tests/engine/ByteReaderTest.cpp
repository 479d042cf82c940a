#include <gtest/gtest.h>

#include "engine/ByteReader.h"

using namespace engine;

namespace enginetest
{
namespace
{

const uint8_t kBytes[] = {0x12, 0x34, 0x56, 0x78, 0x9A};

TEST(ByteReader, ReadsNumbersInEitherByteOrder)
{
    struct Case
    {
        ByteOrder order;
        uint16_t u16;
        uint32_t u32;
    };
    const Case cases[] = {
        {ByteOrder::LittleEndian, 0x3412, 0x9A785634},
        {ByteOrder::BigEndian, 0x1234, 0x3456789A},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(ByteReader::decodeU16(kBytes, c.order), c.u16);
        EXPECT_EQ(ByteReader::decodeU32(kBytes + 1, c.order), c.u32);
        ByteReader in(kBytes, sizeof kBytes, c.order);
        uint8_t first = 0;
        uint32_t u32 = 0;
        EXPECT_TRUE(in.readU8(first, "a byte") && in.readU32(u32, "a long"));
        EXPECT_EQ(first, 0x12);
        EXPECT_EQ(u32, c.u32);
        EXPECT_TRUE(in.atEnd());
        ByteReader shortOne(kBytes, 2, c.order);
        uint16_t u16 = 0;
        EXPECT_TRUE(shortOne.readU16(u16, "a short"));
        EXPECT_EQ(u16, c.u16);
    }
}

TEST(ByteReader, ShortReadFailsWithTheFileOffsetAndEndsTheCursor)
{
    ByteReader in(kBytes, sizeof kBytes, ByteOrder::LittleEndian, 100);
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    ASSERT_TRUE(in.readU16(u16, "a short"));
    EXPECT_FALSE(in.readU32(u32, "the chunk size"));
    EXPECT_EQ(in.error(), "file ends inside the chunk size (at byte 102)");
    EXPECT_TRUE(in.atEnd());
    // The first failure is the one reported; later reads fail without reading.
    EXPECT_FALSE(in.readU16(u16, "a short"));
    EXPECT_EQ(in.error(), "file ends inside the chunk size (at byte 102)");
}

} // namespace
} // namespace enginetest
