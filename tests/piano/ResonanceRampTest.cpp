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

// A pedal part way down moves the envelope to its share of the top at the press's and the release's speeds
// (a full rise covers 127 in 11025 frames at 44100 Hz, a full fall in 1102.5), sending as a press and a
// release do, and ending on the share itself.
TEST(ResonanceRamp, APedalPartWayDownMovesToItsShareAtThePedalsSpeeds)
{
    const struct
    {
        const char* what;
        bool pressFirst;
        float amount;
        double level;
        int frames;
        std::vector<int> sent;
    } cases[] = {
        {"rise from rest", false, 0.5f, 63.5, 5513, {10, 20, 30, 40, 50, 60, 63}},
        {"fall from the top", true, 0.5f, 90.0, 322, {117, 107, 97, 90}},
        {"no rise without an amount", false, 0.0f, 63.5, 0, {}},
        {"a fall without an amount",
         true,
         0.0f,
         0.0,
         1103,
         {117, 107, 97, 87, 77, 67, 57, 47, 37, 27, 17, 7, 0}},
        {"the same level ends at once", true, 0.5f, 127.0, 1, {}},
    };
    for (const auto& c : cases)
    {
        ResonanceRamp ramp;
        if (c.pressFirst)
        {
            ramp.press(44100.0f, 1.0f);
            runToEnd(ramp);
        }
        ramp.hold(44100.0f, c.amount, c.level);
        const RampRun run = runToEnd(ramp);
        EXPECT_EQ(run.sent, c.sent) << c.what;
        EXPECT_EQ(run.frames, c.frames) << c.what;
        if (c.amount > 0.0f || c.pressFirst)
        {
            EXPECT_EQ(ramp.level(), c.level) << c.what;
        }
    }
}
