#include "dsp/CBiQuadFilter.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

using namespace dsp;

namespace
{
constexpr float kRate = 44100.0f;

float SteadyGain(BiQuadType type, float f0, float gain, double probe)
{
    CBiQuadFilter filter(type, f0, gain, kRate);
    filter.UpdateCoefficients();
    std::vector<float> signal = dsptest::Sine(probe, kRate, 44100);
    for (float& v : signal)
    {
        v = filter.Process(v);
    }
    return dsptest::PeakFrom(signal, 22050);
}

float Db(float gain)
{
    return 20.0f * std::log10(gain);
}
} // namespace

TEST(CBiQuadFilterTest, PeakingRaisesItsCentreByTheGain)
{
    EXPECT_NEAR(12.0f, Db(SteadyGain(kBiQuadPeaking, 1000.0f, 12.0f, 1000.0)), 0.05f);
    EXPECT_NEAR(-6.0f, Db(SteadyGain(kBiQuadPeaking, 1000.0f, -6.0f, 1000.0)), 0.05f);
    EXPECT_NEAR(0.0f, Db(SteadyGain(kBiQuadPeaking, 1000.0f, 12.0f, 15000.0)), 0.2f);
}

TEST(CBiQuadFilterTest, ShelvesMoveTheirEndOfTheBand)
{
    EXPECT_NEAR(6.0f, Db(SteadyGain(kBiQuadLowShelf, 200.0f, 6.0f, 20.0)), 0.1f);
    EXPECT_NEAR(0.0f, Db(SteadyGain(kBiQuadLowShelf, 200.0f, 6.0f, 8000.0)), 0.1f);
    EXPECT_NEAR(-9.0f, Db(SteadyGain(kBiQuadHighShelf, 2000.0f, -9.0f, 18000.0)), 0.2f);
    EXPECT_NEAR(0.0f, Db(SteadyGain(kBiQuadHighShelf, 2000.0f, -9.0f, 50.0)), 0.1f);
}

TEST(CBiQuadFilterTest, PassAndStopTypes)
{
    EXPECT_NEAR(1.0f, SteadyGain(kBiQuadLowPass, 1000.0f, 0.0f, 50.0), 0.01f);
    EXPECT_LT(SteadyGain(kBiQuadLowPass, 1000.0f, 0.0f, 15000.0), 0.01f);
    EXPECT_NEAR(1.0f, SteadyGain(kBiQuadHighPass, 1000.0f, 0.0f, 15000.0), 0.01f);
    EXPECT_LT(SteadyGain(kBiQuadHighPass, 1000.0f, 0.0f, 50.0), 0.01f);
    EXPECT_NEAR(1.0f, SteadyGain(kBiQuadBandPass, 1000.0f, 0.0f, 1000.0), 0.01f);
    EXPECT_LT(SteadyGain(kBiQuadBandPass, 1000.0f, 0.0f, 100.0), 0.2f);
    EXPECT_LT(SteadyGain(kBiQuadNotch, 1000.0f, 0.0f, 1000.0), 0.01f);
    EXPECT_NEAR(1.0f, SteadyGain(kBiQuadNotch, 1000.0f, 0.0f, 10000.0), 0.01f);
}

TEST(CBiQuadFilterTest, DecayEndsInExactZero)
{
    CBiQuadFilter filter(kBiQuadLowPass, 100.0f, 0.0f, kRate);
    filter.UpdateCoefficients();
    filter.Process(1.0f);
    float y = 1.0f;
    for (int i = 0; i < 441000 && y != 0.0f; ++i)
    {
        y = filter.Process(0.0f);
        ASSERT_TRUE(dsptest::IsCleanFloat(y)) << i;
    }
    EXPECT_EQ(0.0f, y);
}
