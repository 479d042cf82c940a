#include "dsp/zreverb/CLowPass.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

using namespace zreverb;

TEST(CResLPTest, DcGainIsUnityWithoutResonance)
{
    for (float fc : {0.1f, 0.35f, 0.8f})
    {
        CResLP filter;
        float y = 0.0f;
        for (int i = 0; i < 20000; ++i)
        {
            y = filter.Process(1.0f, fc, 0.0f);
        }
        EXPECT_NEAR(0.9999f * 0.350127f * std::pow(1.3f, 4.0f), y, 1e-4f) << fc;
    }
}

TEST(CResLPTest, ResonanceFeedsBackTheLastStage)
{
    CResLP filter;
    const float fc = 0.35f;
    float y = 0.0f;
    for (int i = 0; i < 20000; ++i)
    {
        y = filter.Process(1.0f, fc, 1.0f);
    }
    const float g = 0.6495f + (fc - 0.3f) * 10.0f * (0.7906f - 0.6495f);
    const float feedback = (3.26f - 0.4f * std::pow(g, 4.0f)) * 0.25f;
    const float loop = 0.350127f * std::pow(1.3f, 4.0f);
    EXPECT_NEAR(0.9999f * loop / (1.0f + feedback * loop), y, 1e-4f);
}

TEST(CLowPassTest, ConstructionStartsOpenWithSweepToZero)
{
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 2));
    EXPECT_EQ(22050.0f, lowPass.Cutoff());
    EXPECT_EQ(1.0f, lowPass.NormalisedCutoff());
    EXPECT_EQ(-1.0f, lowPass.Span());
    EXPECT_EQ(0.0f, lowPass.Resonance());
    EXPECT_EQ(kLfoNoise, lowPass.LfoKind());
    EXPECT_EQ(kReverbOutOfRange, CLowPass().Create(44100.0f, 0));
}

TEST(CLowPassTest, CutoffIsClampedToHalfTheRate)
{
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 1));
    lowPass.SetCutoff(30000.0f);
    EXPECT_EQ(22050.0f, lowPass.Cutoff());
    EXPECT_EQ(1.0f, lowPass.NormalisedCutoff());
    lowPass.SetCutoff(-5.0f);
    EXPECT_EQ(0.0f, lowPass.Cutoff());
    lowPass.SetResonance(7.0f);
    EXPECT_EQ(4.0f, lowPass.Resonance());
    lowPass.SetResonance(-1.0f);
    EXPECT_EQ(0.0f, lowPass.Resonance());
}

TEST(CLowPassTest, NoiseSweepHoldsTheCutoffNearHalfTheSetOne)
{
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 1));
    ASSERT_EQ(kReverbOk, lowPass.SetLfoType(kLfoNoise));
    lowPass.SetCutoff(8000.0f);
    const float normalised = 2.0f * 8000.0f / 44100.0f;
    EXPECT_FLOAT_EQ(-normalised, lowPass.Span());
    for (int i = 0; i < 44100; ++i)
    {
        lowPass.ProcessSample(0, 0.0f);
        ASSERT_NEAR(normalised * 0.5f, lowPass.CurrentCutoff(0), normalised * 0.05f);
    }
}

TEST(CLowPassTest, InterleavedChannelsAreFilteredIndependently)
{
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 2));
    ASSERT_EQ(kReverbOk, lowPass.SetLfoType(kLfoNoise));
    lowPass.SetCutoff(10000.0f);
    std::vector<float> buffer(2 * 256, 0.0f);
    buffer[0] = 1.0f;
    lowPass.Process(buffer.data(), buffer.data(), 256);
    EXPECT_GT(std::fabs(buffer[2]), 1e-6f);
    for (size_t f = 0; f < 256; ++f)
    {
        ASSERT_NEAR(0.0f, buffer[2 * f + 1], 1e-15f); // only the 1e-25 offsets
    }
}

TEST(CResLPTest, CutoffAtOrBeyondTheTableEndsInterpolatesFromTheOutermostStep)
{
    // A normalised cutoff of 1.0 (half the rate) indexes the last table step; the interpolation must not
    // read past it, and values above 1 extrapolate from the last step.
    for (float fc : {1.0f, 1.2f})
    {
        CResLP filter;
        float y = 0.0f;
        for (int i = 0; i < 20000; ++i)
        {
            y = filter.Process(i % 2 ? 0.5f : -0.5f, fc, 1.0f);
            ASSERT_TRUE(std::isfinite(y)) << fc;
        }
    }
    CResLP top;
    const float y = top.Process(1.0f, 1.0f, 0.0f);
    const float g4 = std::pow(1.16f, 4.0f);
    EXPECT_NEAR(0.350127f * g4 * 0.9999f, y, 1e-6f);
}

TEST(CLowPassTest, SineSweepReachesTheTopOfTheCutoffTable)
{
    // A sine sweep from the top of the band to 0 Hz drives the normalised cutoff up to 1.0.
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 1));
    ASSERT_EQ(kReverbOk, lowPass.SetLfoType(kLfoSine));
    lowPass.SetCutoff(22050.0f);
    float highest = 0.0f;
    const std::vector<float> in = dsptest::Sine(440.0, 44100.0, 3 * 44100, 0.5);
    for (float x : in)
    {
        const float y = lowPass.ProcessSample(0, x);
        ASSERT_TRUE(std::isfinite(y));
        highest = std::fmax(highest, lowPass.CurrentCutoff(0));
    }
    EXPECT_GT(highest, 0.9999f);
}

TEST(CLowPassTest, ResetRestartsPeriodicLfos)
{
    CLowPass lowPass;
    ASSERT_EQ(kReverbOk, lowPass.Create(44100.0f, 1));
    ASSERT_EQ(kReverbOk, lowPass.SetLfoType(kLfoSaw));
    lowPass.SetCutoff(1000.0f);
    lowPass.ProcessSample(0, 0.0f);
    const float first = lowPass.CurrentCutoff(0);
    for (int i = 0; i < 1000; ++i)
    {
        lowPass.ProcessSample(0, 0.0f);
    }
    lowPass.Reset();
    lowPass.ProcessSample(0, 0.0f);
    EXPECT_NE(first, lowPass.CurrentCutoff(0)); // the saw's smoothing is not part of the reset
    EXPECT_EQ(kReverbOutOfRange, lowPass.SetLfoType(5));
    EXPECT_EQ(kLfoSaw, lowPass.LfoKind());
}
