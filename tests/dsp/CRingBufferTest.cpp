#include "dsp/zreverb/CRingBuffer.h"

#include <gtest/gtest.h>

using namespace zreverb;

TEST(CRingBufferTest, SizeIsTheSmallestPowerOfTwoNotBelowTheLength)
{
    const struct
    {
        uint32_t length;
        uint32_t size;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {4096, 4096}, {4097, 8192}, {4453, 8192}, {6599, 8192}};
    for (const auto& c : cases)
    {
        CRingBuffer ring;
        ASSERT_EQ(kReverbOk, ring.Create(c.length));
        EXPECT_EQ(c.size, ring.Size()) << c.length;
    }
}

TEST(CRingBufferTest, ImpossibleLengthFailsWithoutAllocating)
{
    CRingBuffer ring;
    EXPECT_EQ(kReverbAllocFailed, ring.Create(0x80000001u));
    EXPECT_EQ(0u, ring.Size());
}

TEST(CRingBufferTest, OnePushIsReadAtZeroOnly)
{
    CRingBuffer ring;
    ASSERT_EQ(kReverbOk, ring.Create(4453));
    ring.Push(1.0f);
    EXPECT_EQ(1.0f, ring.Read(0));
    for (uint32_t k = 1; k < ring.Size(); ++k)
    {
        ASSERT_EQ(0.0f, ring.Read(k)) << k;
    }
}

TEST(CRingBufferTest, ReadKReturnsThePushKBeforeTheLatest)
{
    CRingBuffer ring;
    ASSERT_EQ(kReverbOk, ring.Create(8));
    for (int i = 1; i <= 20; ++i)
    {
        ring.Push(static_cast<float>(i));
    }
    for (uint32_t k = 0; k < 8; ++k)
    {
        EXPECT_EQ(static_cast<float>(20 - k), ring.Read(k));
    }
    // A read at the size wraps to the most recent value.
    EXPECT_EQ(20.0f, ring.Read(8));
}

TEST(CRingBufferTest, ClearEmptiesTheRing)
{
    CRingBuffer ring;
    ASSERT_EQ(kReverbOk, ring.Create(4));
    ring.Push(3.0f);
    ring.Push(4.0f);
    ring.Clear();
    for (uint32_t k = 0; k < 4; ++k)
    {
        EXPECT_EQ(0.0f, ring.Read(k));
    }
    ring.Push(5.0f);
    EXPECT_EQ(5.0f, ring.Read(0));
    EXPECT_EQ(0.0f, ring.Read(1));
}
