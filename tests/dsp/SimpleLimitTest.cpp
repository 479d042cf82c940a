#include "dsp/SimpleLimit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>
#include <vector>

using namespace dsp;

namespace
{

// The instrument's configuration: 44100 Hz, 5 ms attack, 50 ms release, -0.5 dB threshold.
class SimpleLimitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        limiter.SetSampleRate(44100.0f);
        limiter.SetAttack(5.0f);
        limiter.SetRelease(50.0f);
        limiter.SetThreshold(-0.5f);
        limiter.Reset();
    }

    // Runs one frame and returns the louder output magnitude.
    float Step(float left, float right)
    {
        limiter.ProcessSample(left, right);
        lastLeft = left;
        lastRight = right;
        return std::fmax(std::fabs(left), std::fabs(right));
    }

    // Largest output this limiter can give for an input peak p: the peak was missed by the hold and is
    // output after its full look-ahead of attack towards it and a full look-ahead of release.
    double WorstCaseOutput(double p) const
    {
        const double thr = limiter.GetThresholdGain();
        const int n = limiter.GetLookahead();
        const double attack = std::pow(static_cast<double>(limiter.GetAttackCoefficient()), n);
        const double release = std::pow(static_cast<double>(limiter.GetReleaseCoefficient()), n);
        return p * thr / (thr + (p - thr) * (1.0 - attack) * release);
    }

    SimpleLimit limiter;
    float lastLeft = 0.0f;
    float lastRight = 0.0f;
};

TEST(SimpleLimitConstructionTest, DefaultsBeforeConfiguration)
{
    SimpleLimit limiter;
    EXPECT_EQ(44, limiter.GetLookahead());
    EXPECT_EQ(1.0f, limiter.GetAttack());
    EXPECT_EQ(10.0f, limiter.GetRelease());
    EXPECT_EQ(0.0f, limiter.GetThreshold());
    EXPECT_EQ(1.0f, limiter.GetThresholdGain());
    EXPECT_FLOAT_EQ(static_cast<float>(std::pow(0.01, 1000.0 / 44100.0)), limiter.GetAttackCoefficient());
    // The release keeps the plain exponential until it is set.
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-1000.0 / (10.0 * 44100.0))),
                    limiter.GetReleaseCoefficient());
}

TEST_F(SimpleLimitTest, InstrumentSettingsGiveTheirCoefficients)
{
    EXPECT_EQ(220, limiter.GetLookahead());
    EXPECT_NEAR(0.979331f, limiter.GetAttackCoefficient(), 1e-6f);
    EXPECT_NEAR(0.997914f, limiter.GetReleaseCoefficient(), 1e-6f);
    EXPECT_NEAR(0.9440609f, limiter.GetThresholdGain(), 1e-7f);
    EXPECT_EQ(44100.0f, limiter.GetSampleRate());
    EXPECT_EQ(5.0f, limiter.GetAttack());
    EXPECT_EQ(50.0f, limiter.GetRelease());
    EXPECT_EQ(-0.5f, limiter.GetThreshold());
}

TEST_F(SimpleLimitTest, SilenceStaysSilentAtUnityGain)
{
    for (int i = 0; i < 10000; ++i)
    {
        ASSERT_EQ(0.0f, Step(0.0f, 0.0f));
    }
    EXPECT_EQ(limiter.GetThresholdGain(), limiter.GetEnvelope());
}

TEST_F(SimpleLimitTest, QuietConstantIsDelayedByTheLookAheadUnchanged)
{
    for (int i = 0; i < 1000; ++i)
    {
        Step(0.5f, 0.5f);
        if (i < 220)
        {
            ASSERT_EQ(0.0f, lastLeft) << i;
        }
        else
        {
            ASSERT_EQ(0.5f, lastLeft) << i;
            ASSERT_EQ(0.5f, lastRight) << i;
        }
    }
}

TEST_F(SimpleLimitTest, FullScaleSampleIsPulledToTheThreshold)
{
    for (int i = 0; i < 1000; ++i)
    {
        Step(0.0f, 0.0f);
    }
    const double thr = limiter.GetThresholdGain();
    Step(1.0f, 0.0f);
    EXPECT_GT(limiter.GetEnvelope(), thr); // rising 220 samples before the sample comes out
    for (int i = 0; i < 219; ++i)
    {
        ASSERT_EQ(0.0f, Step(0.0f, 0.0f));
    }
    const float out = Step(0.0f, 0.0f);
    const double attack = std::pow(static_cast<double>(limiter.GetAttackCoefficient()), 220);
    const double envelope = thr + (1.0 - thr) * (1.0 - attack) * limiter.GetReleaseCoefficient();
    EXPECT_NEAR(thr / envelope, out, 1e-6);
    EXPECT_LT(out, thr * 1.001);
    EXPECT_GT(out, thr);
    // The 50 ms release brings the envelope back 99 % of the way.
    for (int i = 0; i < 2205; ++i)
    {
        Step(0.0f, 0.0f);
    }
    EXPECT_NEAR(thr + (envelope - thr) * 0.01, limiter.GetEnvelope(), 1e-4);
}

TEST_F(SimpleLimitTest, ChannelsShareOneGain)
{
    for (int i = 0; i < 1000; ++i)
    {
        Step(4.0f, 0.25f);
    }
    EXPECT_NEAR(limiter.GetThresholdGain(), lastLeft, 1e-5f);
    EXPECT_NEAR(0.25f * lastLeft / 4.0f, lastRight, 1e-7f);
}

TEST_F(SimpleLimitTest, RateChangeKeepsTheLookAheadInSamples)
{
    limiter.SetSampleRate(96000.0f);
    EXPECT_EQ(220, limiter.GetLookahead());
    EXPECT_EQ(96000.0f, limiter.GetSampleRate());
    EXPECT_FLOAT_EQ(static_cast<float>(std::pow(0.01, 1000.0 / (5.0 * 96000.0))),
                    limiter.GetAttackCoefficient());
    limiter.SetAttack(5.0f);
    EXPECT_EQ(480, limiter.GetLookahead());
}

TEST_F(SimpleLimitTest, ResetEmptiesTheDelayAndTheEnvelope)
{
    for (int i = 0; i < 100; ++i)
    {
        Step(5.0f, -5.0f);
    }
    limiter.Reset();
    EXPECT_EQ(limiter.GetThresholdGain(), limiter.GetEnvelope());
    for (int i = 0; i < 300; ++i)
    {
        ASSERT_EQ(0.0f, Step(0.0f, 0.0f));
    }
}

TEST_F(SimpleLimitTest, ZeroLookAheadReadsTheSampleWrittenAFullRingEarlier)
{
    limiter.SetAttack(0.0f);
    ASSERT_EQ(0, limiter.GetLookahead());
    for (int i = 0; i < SimpleLimit::kDelaySize; ++i)
    {
        Step(i == 0 ? 0.5f : 0.0f, 0.0f);
    }
    EXPECT_EQ(0.5f, Step(0.0f, 0.0f));
}

TEST_F(SimpleLimitTest, PeakMissedByTheHoldComesOutAboveTheThreshold)
{
    // A second peak arriving just before the first one's hold ends is not held: the held peak falls back
    // when the hold runs out and the envelope releases for a whole look-ahead before that peak is output.
    std::vector<float> in(2000, 0.0f);
    in[100] = 10.0f;
    in[100 + 219] = 10.0f;
    float largest = 0.0f;
    for (float x : in)
    {
        largest = std::fmax(largest, Step(x, x));
    }
    EXPECT_NEAR(WorstCaseOutput(10.0), largest, 1e-3);
    EXPECT_GT(largest, 1.4f);
}

TEST_F(SimpleLimitTest, RandomBurstsStayWithinTheHoldBound)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> levelDb(-30.0f, 20.0f);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> length(1, 3000);
    const double thr = limiter.GetThresholdGain();
    float largestIn = 0.0f;
    float largestOut = 0.0f;
    double largestSettledRatio = 0.0;
    for (int burst = 0; burst < 3000; ++burst)
    {
        const float amplitude = std::pow(10.0f, levelDb(random) / 20.0f);
        const int frames = length(random);
        const bool click = burst % 3 == 0; // a single sample between long gaps
        if (click)
        {
            for (int i = 0; i < 4000; ++i)
            {
                largestOut = std::fmax(largestOut, Step(0.0f, 0.0f));
            }
        }
        for (int i = 0; i < frames; ++i)
        {
            const float l = click ? (i == 0 ? amplitude : 0.0f) : amplitude * unit(random);
            const float r = click ? 0.0f : amplitude * unit(random);
            largestIn = std::fmax(largestIn, std::fmax(std::fabs(l), std::fabs(r)));
            const float out = Step(l, r);
            ASSERT_TRUE(std::isfinite(out));
            largestOut = std::fmax(largestOut, out);
        }
        if (click)
        {
            // The click comes out after the look-ahead; the gap before it let the envelope settle.
            float clickOut = 0.0f;
            for (int i = 0; i < 4000; ++i)
            {
                clickOut = std::fmax(clickOut, Step(0.0f, 0.0f));
            }
            if (clickOut > thr)
            {
                largestSettledRatio = std::fmax(largestSettledRatio, clickOut / thr);
            }
        }
    }
    ASSERT_GT(largestIn, 9.0f);
    const double bound = WorstCaseOutput(largestIn);
    std::cout << "largest input " << largestIn << ", largest output " << largestOut << " (bound " << bound
              << ", threshold " << thr << "), largest settled click ratio " << largestSettledRatio << "\n";
    EXPECT_LE(largestOut, bound * 1.00001);
    // An isolated peak, with the envelope settled before it, overshoots by little more than one percent
    // even at +20 dB: 1 / ((1 - attack^220) x release) at most.
    const double attack = std::pow(static_cast<double>(limiter.GetAttackCoefficient()), 220);
    EXPECT_LE(largestSettledRatio, 1.0 / ((1.0 - attack) * limiter.GetReleaseCoefficient()));
}

} // namespace
