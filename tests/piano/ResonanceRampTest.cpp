#include "piano/ResonanceRamp.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace piano;

namespace
{
struct RampRun
{
    int frames = 0;          // frames stepped until the ramp stopped
    std::vector<int> sent;   // controller 21 values in order
    std::vector<int> sentAt; // 1-based frame of each send
};

RampRun runToEnd(ResonanceRamp& ramp, int limit = 100000)
{
    RampRun run;
    while (ramp.active() && run.frames < limit)
    {
        ++run.frames;
        int value = -1;
        if (ramp.step(value))
        {
            run.sent.push_back(value);
            run.sentAt.push_back(run.frames);
        }
    }
    return run;
}
} // namespace

TEST(ResonanceRamp, StartsIdleAtZero)
{
    ResonanceRamp ramp;
    EXPECT_FALSE(ramp.active());
    EXPECT_EQ(ramp.target(), 127.0);
    EXPECT_EQ(ramp.level(), 0.0);
    EXPECT_EQ(ramp.rate(), 0.0);
    EXPECT_EQ(ramp.lastSent(), 0);
    int value = -1;
    EXPECT_FALSE(ramp.step(value));
    EXPECT_EQ(value, -1);
}

TEST(ResonanceRamp, RiseRateUsesTheSinglePrecisionFrameCount)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 0.5f);
    EXPECT_TRUE(ramp.active());
    EXPECT_EQ(ramp.rate(), 127.0 / 11025.0009765625);
}

TEST(ResonanceRamp, FullRiseAt44100ReachesTheTopOnFrame11026)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 11026);
    const std::vector<int> expected = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 127};
    EXPECT_EQ(run.sent, expected);
    EXPECT_EQ(run.sentAt.back(), 11026);
    EXPECT_EQ(ramp.level(), 127.0);
    EXPECT_EQ(ramp.lastSent(), 127);
}

TEST(ResonanceRamp, FullFallAt44100ReachesZeroOnFrame1103)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    runToEnd(ramp);
    ramp.release(44100.0f);
    EXPECT_EQ(ramp.rate(), -127.0 / 1102.5);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 1103);
    const std::vector<int> expected = {117, 107, 97, 87, 77, 67, 57, 47, 37, 27, 17, 7, 0};
    EXPECT_EQ(run.sent, expected);
    EXPECT_EQ(run.sentAt.back(), 1103);
    EXPECT_EQ(ramp.level(), 0.0);
}

TEST(ResonanceRamp, FallFromLastSent57SendsTensThenZero)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    runToEnd(ramp);
    ramp.release(44100.0f);
    int value = 0;
    while (ramp.lastSent() != 57)
    {
        ASSERT_TRUE(ramp.active());
        ramp.step(value);
    }
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.sent, std::vector<int>({47, 37, 27, 17, 7, 0}));
}

TEST(ResonanceRamp, PressDuringFallRisesFromTheCurrentLevel)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    runToEnd(ramp);
    ramp.release(44100.0f);
    int value = 0;
    while (ramp.lastSent() != 57)
    {
        ramp.step(value);
    }
    ramp.press(44100.0f, 1.0f);
    const RampRun run = runToEnd(ramp);
    // From 57 the next sends are at 67, 77, ... and 127 at the top.
    EXPECT_EQ(run.sent, std::vector<int>({67, 77, 87, 97, 107, 117, 127}));
}

TEST(ResonanceRamp, ZeroAmountPressDoesNothingAndTheReleaseEndsAtOnce)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 0.0f);
    EXPECT_FALSE(ramp.active());
    ramp.release(44100.0f);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 1);
    EXPECT_TRUE(run.sent.empty());
}

TEST(ResonanceRamp, PressAtTheTopEndsOnItsFirstFrameWithoutSending)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    runToEnd(ramp);
    ramp.press(44100.0f, 1.0f);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 1);
    EXPECT_TRUE(run.sent.empty());
}

TEST(ResonanceRamp, ReleaseDuringRiseTurnsAroundFromTheCurrentLevel)
{
    ResonanceRamp ramp;
    ramp.press(48000.0f, 1.0f);
    int value = 0;
    for (int i = 0; i < 3000; ++i)
    {
        ramp.step(value);
    }
    const double level = ramp.level();
    ramp.release(48000.0f);
    EXPECT_NEAR(ramp.rate(), -127.0 / 1200.0, 1e-6);
    const RampRun run = runToEnd(ramp);
    // The fall keeps the full-range speed, so from a third of the way up it takes a third of 25 ms.
    EXPECT_NEAR(run.frames, level / 127.0 * 1200.0, 2.0);
    ASSERT_FALSE(run.sent.empty());
    EXPECT_EQ(run.sent.back(), 0);
}

TEST(ResonanceRamp, ResetEndsAtZeroOnTheNextFrameWithoutSending)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, 1.0f);
    int value = 0;
    for (int i = 0; i < 5000; ++i)
    {
        ramp.step(value);
    }
    ramp.reset();
    EXPECT_TRUE(ramp.active());
    EXPECT_EQ(ramp.lastSent(), 0);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 1);
    EXPECT_TRUE(run.sent.empty());
    EXPECT_EQ(ramp.level(), 0.0);
}

TEST(ResonanceRamp, NaNAmountStartsNoRise)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(ramp.active());
}

TEST(ResonanceRamp, UnusableSampleRatesJumpInOneFrameInsteadOfHanging)
{
    for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN()})
    {
        ResonanceRamp ramp;
        ramp.press(rate, 1.0f);
        RampRun run = runToEnd(ramp);
        EXPECT_EQ(run.frames, 1);
        EXPECT_EQ(run.sent, std::vector<int>({127}));
        ramp.release(rate);
        run = runToEnd(ramp);
        EXPECT_EQ(run.frames, 1);
        EXPECT_EQ(run.sent, std::vector<int>({0}));
    }
}
