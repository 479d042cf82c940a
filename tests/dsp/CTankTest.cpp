#include "dsp/zreverb/CTank.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zreverb;

using dsptest::FirstNonZero;

namespace
{
struct TankRun
{
    std::vector<float> left;
    std::vector<float> right;
    std::vector<float> feedback;
};

TankRun Impulse(CTank& tank, int frames)
{
    TankRun run;
    for (int i = 0; i < frames; ++i)
    {
        float l = 0.0f;
        float r = 0.0f;
        run.feedback.push_back(tank.Process(i == 0 ? 1.0f : 0.0f, l, r));
        run.left.push_back(l);
        run.right.push_back(r);
    }
    return run;
}
} // namespace

TEST(CTankTest, LengthsAndTapsAreRoundedSeconds)
{
    CTank a;
    ASSERT_EQ(kReverbOk, a.Create(TankBlockA(44100.0f)));
    EXPECT_EQ(6598u, a.Length1());
    EXPECT_EQ(5512u, a.Length2());
    EXPECT_EQ(523u, a.Tap(0));
    EXPECT_EQ(2949u, a.Tap(4));
    CTank b;
    ASSERT_EQ(kReverbOk, b.Create(TankBlockB(44100.0f)));
    EXPECT_EQ(394u, b.Tap(0));
    EXPECT_EQ(179u, b.Tap(6));
    EXPECT_EQ(0.7f, b.TapGain());
    EXPECT_EQ(0.9995f, b.Damping().A());
    EXPECT_EQ(1.0f - 0.9995f, b.Damping().B());
}

TEST(CTankTest, ImpulseTimingThroughTheHalf)
{
    CTank a;
    ASSERT_EQ(kReverbOk, a.Create(TankBlockA(44100.0f)));
    const TankRun run = Impulse(a, 13000);
    // The modulated allpass passes -0.7 at once; the taps of delay line 1 see it first.
    EXPECT_EQ(523, FirstNonZero(run.left));
    EXPECT_FLOAT_EQ(0.7f * -0.7f, run.left[523]);
    EXPECT_EQ(2949, FirstNonZero(run.right));
    EXPECT_FLOAT_EQ(0.7f * 0.7f, run.right[2949]);
    // Feedback: both delay lines, damping a, the second allpass's direct 0.5 and the decay twice.
    const int loop = static_cast<int>(a.Length1() + a.Length2());
    EXPECT_EQ(loop, FirstNonZero(run.feedback));
    EXPECT_FLOAT_EQ(-0.7f * 0.9995f * 0.5f * 0.5f * 0.5f, run.feedback[static_cast<size_t>(loop)]);
}

TEST(CTankTest, ZeroTapGainSilencesTheOutputsButNotTheFeedback)
{
    CTank a;
    ASSERT_EQ(kReverbOk, a.Create(TankBlockA(44100.0f)));
    a.SetTapGain(0.0f);
    const TankRun run = Impulse(a, 13000);
    EXPECT_EQ(-1, FirstNonZero(run.left));
    EXPECT_EQ(-1, FirstNonZero(run.right));
    EXPECT_NE(-1, FirstNonZero(run.feedback));
}

TEST(CTankTest, ClearEmptiesLinesAndDamping)
{
    CTank a;
    ASSERT_EQ(kReverbOk, a.Create(TankBlockA(44100.0f)));
    Impulse(a, 20000);
    a.Clear();
    EXPECT_EQ(0.0f, a.Damping().State());
    const TankRun run = Impulse(a, 1000);
    EXPECT_EQ(523, FirstNonZero(run.left)); // only the impulse given after the clear
    EXPECT_FLOAT_EQ(0.7f * -0.7f, run.left[523]);
    EXPECT_EQ(-1, FirstNonZero(run.feedback));
}
