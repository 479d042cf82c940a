#include "dsp/zreverb/CEarlyRefl.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zreverb;

using dsptest::FirstNonZero;

namespace
{
struct Response
{
    std::vector<float> er0;
    std::vector<float> er1;
};

Response Impulse(CEarlyRefl& early, int channel, int frames)
{
    Response r;
    for (int i = 0; i < frames; ++i)
    {
        float e0 = 0.0f;
        float e1 = 0.0f;
        early.Process(channel, i == 0 ? 1.0f : 0.0f, e0, e1);
        r.er0.push_back(e0);
        r.er1.push_back(e1);
    }
    return r;
}
} // namespace

TEST(CEarlyReflTest, SizeScalesTheTapPositions)
{
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(44100.0f, 1.0f));
    EXPECT_EQ(36u, early.CrossDelay());
    early.SetEarlySize(0.87f);
    const uint32_t expected[] = {1229, 1689, 2150, 2303, 3378, 4298};
    for (int i = 0; i < CEarlyRefl::kTaps; ++i)
    {
        EXPECT_EQ(expected[i], early.TapPosition(i)) << i;
    }
    early.SetEarlySize(0.0f);
    EXPECT_EQ(0u, early.TapPosition(0));
}

TEST(CEarlyReflTest, ChannelZeroSendsTheOddTapsLeftAndCrossesThemRight)
{
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(44100.0f, 1.0f));
    early.SetEarlySize(0.87f);
    const Response r = Impulse(early, 0, 5000);
    EXPECT_EQ(1229, FirstNonZero(r.er0));
    EXPECT_FLOAT_EQ(0.7f * 0.5f, r.er0[1229]);
    EXPECT_EQ(1229 + 36, FirstNonZero(r.er1));
    EXPECT_FLOAT_EQ(0.7f * 0.15f * 0.5f, r.er1[1229 + 36]);
    EXPECT_FLOAT_EQ(0.7f * 0.4f, r.er1[1689]);
}

TEST(CEarlyReflTest, ChannelOneSwapsTheGroups)
{
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(44100.0f, 1.0f));
    early.SetEarlySize(0.87f);
    const Response r = Impulse(early, 1, 5000);
    EXPECT_EQ(1229, FirstNonZero(r.er1));
    EXPECT_EQ(1229 + 36, FirstNonZero(r.er0));
}

TEST(CEarlyReflTest, InputFilterAndLevelScaleTheReflections)
{
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(44100.0f, 2.0f));
    EXPECT_EQ(1.0f, early.Gain(0));
    EXPECT_FLOAT_EQ(0.26f, early.Gain(5));
    early.SetInputFilter(0.5f, 0.5f);
    const Response r = Impulse(early, 0, 2000);
    EXPECT_EQ(1413, FirstNonZero(r.er0));
    EXPECT_FLOAT_EQ(0.7f * 1.0f * 0.5f, r.er0[1413]);
}

TEST(CEarlyReflTest, TapsKeepTheirTimesAt38400Hz)
{
    // At 38400 Hz the cross delay is 32 samples, and a ring of exactly 32 would hand back the newest value;
    // the 28 ms tap at size 1.0 (4302 samples) lies beyond a ring sized for 0.1 s (4096) and would wrap
    // to 206 samples.
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(38400.0f, 1.0f));
    ASSERT_EQ(32u, early.CrossDelay());
    const Response r = Impulse(early, 0, 5000);
    const int tap = static_cast<int>(early.TapPosition(0));
    EXPECT_EQ(tap, FirstNonZero(r.er0));
    EXPECT_EQ(tap + 32, FirstNonZero(r.er1));
    ASSERT_EQ(4302u, early.TapPosition(5));
    EXPECT_EQ(0.0f, r.er1[4301]);
    EXPECT_FLOAT_EQ(0.7f * 0.13f, r.er1[4302]);
}

TEST(CEarlyReflTest, ClearEmptiesLinesAndFilters)
{
    CEarlyRefl early;
    ASSERT_EQ(kReverbOk, early.Create(44100.0f, 1.0f));
    early.SetInputFilter(0.5f, 0.5f);
    float e0 = 0.0f;
    float e1 = 0.0f;
    for (int i = 0; i < 3000; ++i)
    {
        early.Process(0, 1.0f, e0, e1);
    }
    ASSERT_NE(0.0f, e0);
    early.Clear();
    EXPECT_EQ(0.0f, early.InputFilter().State());
    for (int i = 0; i < 1000; ++i)
    {
        early.Process(0, 0.0f, e0, e1);
        ASSERT_EQ(0.0f, e0);
        ASSERT_EQ(0.0f, e1);
    }
}
