#include "dsp/zreverb/CBassBoost.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

using namespace zreverb;

namespace
{
float SteadyGain(CBassBoost& shelf, double frequency)
{
    std::vector<float> out = dsptest::Sine(frequency, 44100.0, 44100);
    for (float& v : out)
    {
        v = shelf.Process(v);
    }
    return dsptest::PeakFrom(out, 22050);
}

float DcGain(CBassBoost& shelf)
{
    float y = 0.0f;
    for (int i = 0; i < 44100; ++i)
    {
        y = shelf.Process(1.0f);
    }
    return y;
}
} // namespace

TEST(CBassBoostTest, BoostRaisesDcByTheGainAndLeavesHighsAlone)
{
    CBassBoost shelf(44100.0f, 300.0f, 3.0f);
    EXPECT_TRUE(shelf.NeedsRecalculation());
    EXPECT_NEAR(std::pow(10.0, 3.0 / 20.0), DcGain(shelf), 1e-4);
    EXPECT_FALSE(shelf.NeedsRecalculation());
    CBassBoost highs(44100.0f, 300.0f, 3.0f);
    EXPECT_NEAR(1.0f, SteadyGain(highs, 10000.0), 0.01f);
}

TEST(CBassBoostTest, CutLowersDcByTheGain)
{
    CBassBoost shelf(44100.0f, 300.0f, -6.0f);
    EXPECT_NEAR(std::pow(10.0, -6.0 / 20.0), DcGain(shelf), 1e-4);
}

TEST(CBassBoostTest, ZeroGainIsTransparent)
{
    CBassBoost shelf(44100.0f, 300.0f, 0.0f);
    for (float x : {0.5f, -0.25f, 1.0f, 0.0f, 0.75f})
    {
        EXPECT_NEAR(x, shelf.Process(x), 1e-6f);
    }
}

TEST(CBassBoostTest, GainChangeAppliesAtTheNextSample)
{
    CBassBoost shelf(44100.0f, 300.0f, 0.0f);
    EXPECT_FLOAT_EQ(1.0f, shelf.Process(1.0f));
    shelf.SetGain(9.0f);
    EXPECT_TRUE(shelf.NeedsRecalculation());
    EXPECT_EQ(9.0f, shelf.Gain());
    EXPECT_NEAR(std::pow(10.0, 9.0 / 20.0), DcGain(shelf), 1e-3);
    shelf.SetFrequency(100.0f);
    EXPECT_TRUE(shelf.NeedsRecalculation());
}
