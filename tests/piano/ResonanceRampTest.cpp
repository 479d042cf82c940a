#include "piano/ResonanceRamp.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace piano;

namespace
{
struct RampRun
{
    int frames = 0;        // frames stepped until the ramp stopped
    std::vector<int> sent; // controller 21 values in order
};

RampRun runToEnd(ResonanceRamp& ramp, int limit = 100000)
{
    RampRun run;
    while (ramp.active() && run.frames < limit)
    {
        ++run.frames;
        int value = -1;
        if (ramp.step(value))
            run.sent.push_back(value);
    }
    return run;
}
} // namespace

TEST(ResonanceRamp, ZeroOrNaNAmountPressDoesNothingAndTheReleaseEndsAtOnce)
{
    ResonanceRamp ramp;
    ramp.press(44100.0f, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(ramp.active());
    ramp.press(44100.0f, 0.0f);
    EXPECT_FALSE(ramp.active());
    ramp.release(44100.0f);
    const RampRun run = runToEnd(ramp);
    EXPECT_EQ(run.frames, 1);
    EXPECT_TRUE(run.sent.empty());
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
