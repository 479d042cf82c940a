#include "dsp/EnvelopeDetector.h"
#include "dsp/SimpleLimit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dsp;

TEST(EnvelopeDetectorTest, CoefficientFollowsTimeAndRate)
{
    EnvelopeDetector env(10.0f, 44100.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-1000.0 / (10.0 * 44100.0))), env.GetCoefficient());
    env.SetTime(50.0f);
    EXPECT_EQ(50.0f, env.GetTime());
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-1000.0 / (50.0 * 44100.0))), env.GetCoefficient());
    env.SetSampleRate(96000.0f);
    EXPECT_EQ(96000.0f, env.GetSampleRate());
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-1000.0 / (50.0 * 96000.0))), env.GetCoefficient());
}

TEST(EnvelopeDetectorTest, FastEnvelopeClosesNinetyNinePercentWithinItsTime)
{
    SimpleLimit::FastEnvelope env(5.0f, 44100.0f);
    // Construction uses the plain formula; the fast one applies from the next update on.
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-1000.0 / (5.0 * 44100.0))), env.GetCoefficient());
    env.SetTime(5.0f);
    EXPECT_NEAR(0.979331f, env.GetCoefficient(), 1e-6f);
    EXPECT_NEAR(0.01, std::pow(env.GetCoefficient(), 220.5), 1e-5);
    EnvelopeDetector& base = env;
    base.SetSampleRate(48000.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(std::pow(0.01, 1000.0 / (5.0 * 48000.0))), env.GetCoefficient());
}
