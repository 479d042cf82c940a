#include "dsp/zreverb/CFracDelay.h"

#include <gtest/gtest.h>

using namespace zreverb;

TEST(CFracDelayTest, LengthRoundsRateTimesSeconds)
{
    CFracDelay delay;
    ASSERT_EQ(kReverbOk, delay.Create(44100.0f, 0.14962535f));
    EXPECT_EQ(6598, delay.Length());
    EXPECT_EQ(8192u, delay.Capacity());
    CFracDelay preDelay;
    ASSERT_EQ(kReverbOk, preDelay.Create(44100.0f, 8192.0f / 44100.0f + 0.3f));
    EXPECT_EQ(21422, preDelay.Length());
    EXPECT_EQ(32768u, preDelay.Capacity());
    EXPECT_EQ(kReverbOutOfRange, CFracDelay().Create(-44100.0f, 1.0f));
}

TEST(CFracDelayTest, FractionalReadInterpolatesBetweenNeighbours)
{
    CFracDelay delay;
    ASSERT_EQ(kReverbOk, delay.Create(100.0f, 0.1f));
    for (float v : {8.0f, 4.0f, 2.0f, 1.0f})
    {
        delay.Push(v); // after this 1 is the latest, 2 one before, 4 two before, 8 three before
    }
    EXPECT_FLOAT_EQ(0.75f * 4.0f + 0.25f * 8.0f, delay.Read(2.25f));
    EXPECT_FLOAT_EQ(5.0f, delay.LastOutput());
    EXPECT_EQ(1.0f, delay.Read(0.0f));
    EXPECT_EQ(2.0f, delay.Read(1.0f));
    EXPECT_FLOAT_EQ(1.5f, delay.Read(0.5f));
}
