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
