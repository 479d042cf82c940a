#include "dsp/zreverb/CAllPass.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zreverb;

TEST(CAllPassTest, ImpulseResponseOfAnUnmodulatedAllpass)
{
    CAllPass allpass;
    // 3 samples of delay at rate 1000; the read happens before the push, so the echo comes after 4 samples.
    ASSERT_EQ(kReverbOk, allpass.Create(1000.0f, 0.003f, 0.0f, 0.0f, 0.5f));
    std::vector<float> out;
    out.push_back(allpass.Process(1.0f));
    for (int i = 0; i < 9; ++i)
    {
        out.push_back(allpass.Process(0.0f));
    }
    EXPECT_FLOAT_EQ(0.5f, out[0]);
    EXPECT_EQ(0.0f, out[1]);
    EXPECT_EQ(0.0f, out[3]);
    EXPECT_FLOAT_EQ(1.0f - 0.25f, out[4]);
    EXPECT_FLOAT_EQ(-0.5f * 0.75f, out[8]);
}

TEST(CAllPassTest, NegativeCoefficientAddsTheDelayedSignalAtTheInput)
{
    CAllPass allpass;
    ASSERT_EQ(kReverbOk, allpass.Create(1000.0f, 0.002f, 0.0f, 0.0f, -0.7f));
    EXPECT_FLOAT_EQ(-0.7f, allpass.Process(1.0f));
    allpass.Process(0.0f);
    allpass.Process(0.0f);
    EXPECT_FLOAT_EQ(1.0f - 0.49f, allpass.Process(0.0f));
}

TEST(CAllPassTest, WholeSampleDelayPreservesEnergy)
{
    CAllPass allpass;
    ASSERT_EQ(kReverbOk, allpass.Create(1000.0f, 0.017f, 0.0f, 0.0f, -0.7f));
    double energy = 0.0;
    energy += std::pow(allpass.Process(1.0f), 2.0);
    for (int i = 0; i < 200000; ++i)
    {
        energy += std::pow(allpass.Process(0.0f), 2.0);
    }
    EXPECT_NEAR(1.0, energy, 1e-5);
}

TEST(CAllPassTest, NegativeRateIsRefused)
{
    CAllPass allpass;
    EXPECT_EQ(kReverbOutOfRange, allpass.Create(-1.0f, 0.01f, 0.0f, 0.0f, 0.5f));
}

TEST(CAllPassTest, ClearEmptiesTheLineButKeepsTheLfo)
{
    CAllPass allpass;
    ASSERT_EQ(kReverbOk, allpass.Create(1000.0f, 0.003f, 0.0005f, 1.0f, 0.5f));
    for (int i = 0; i < 10; ++i)
    {
        allpass.Process(1.0f);
    }
    const float sine = allpass.Lfo().Sine();
    allpass.Clear();
    EXPECT_EQ(sine, allpass.Lfo().Sine());
    EXPECT_FLOAT_EQ(0.5f, allpass.Process(1.0f));
}
