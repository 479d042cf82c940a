#include "dsp/SimpleLimit.h"
#include "dsp/TenBandEQ.h"
#include "dsp/ToneControl.h"
#include "dsp/zreverb/CReverb.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace dsp;

using dsptest::IsCleanFloat;

namespace
{
constexpr int kRate = 44100;

std::vector<float> LoudNoise(int frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(-4.0f, 4.0f);
    std::vector<float> v(static_cast<size_t>(frames));
    for (float& x : v)
    {
        x = unit(random);
    }
    return v;
}
} // namespace

TEST(EffectsDenormalTest, ReverbSilenceAfterLoudInputStaysClean)
{
    for (int preset = 0; preset < 7; ++preset)
    {
        zreverb::CReverb reverb;
        ASSERT_EQ(zreverb::kReverbOk, reverb.Create(kRate, 2, 0));
        ASSERT_EQ(zreverb::kReverbOk, reverb.SetPreset(preset));
        reverb.SetMix(1.0f);
        std::vector<float> block = LoudNoise(2 * 4096, static_cast<unsigned>(preset));
        for (int b = 0; b < 10; ++b)
        {
            ASSERT_EQ(zreverb::kReverbOk, reverb.Process(block.data(), block.data(), 4096));
        }
        for (int b = 0; b < 10 * kRate / 4096; ++b) // ten seconds of silence
        {
            std::fill(block.begin(), block.end(), 0.0f);
            reverb.Process(block.data(), block.data(), 4096);
            for (float v : block)
            {
                ASSERT_TRUE(IsCleanFloat(v)) << "preset " << preset << " block " << b << " value " << v;
            }
        }
        for (int c = 0; c < 2; ++c)
        {
            const zreverb::CReverbChannel& ch = reverb.Channel(c);
            EXPECT_TRUE(IsCleanFloat(ch.FeedbackA())) << preset;
            EXPECT_TRUE(IsCleanFloat(ch.FeedbackB())) << preset;
            EXPECT_TRUE(IsCleanFloat(ch.BassBoost().Y1())) << preset;
            EXPECT_TRUE(IsCleanFloat(ch.TankA().Damping().State())) << preset;
            EXPECT_TRUE(IsCleanFloat(ch.TankB().Damping().State())) << preset;
            EXPECT_TRUE(IsCleanFloat(ch.EarlyReflections().InputFilter().State())) << preset;
            for (int s = 0; s < 4; ++s)
            {
                EXPECT_TRUE(IsCleanFloat(ch.LowPass().Section(0).StageOutput(s))) << preset;
            }
        }
    }
}

TEST(EffectsDenormalTest, EqualiserSilenceAfterLoudInputEndsInExactZero)
{
    TenBandEQ eq(static_cast<float>(kRate));
    for (int i = 0; i < TenBandEQ::kBands; ++i)
    {
        eq.SetBandGain(i, i % 2 ? 12.0f : -12.0f);
    }
    const std::vector<float> noise = LoudNoise(kRate, 3);
    for (float x : noise)
    {
        float l = x;
        float r = -x;
        eq.ProcessSample(l, r);
    }
    float l = 1.0f;
    float r = 1.0f;
    for (int i = 0; i < 10 * kRate; ++i)
    {
        l = 0.0f;
        r = 0.0f;
        eq.ProcessSample(l, r);
        ASSERT_TRUE(IsCleanFloat(l) && IsCleanFloat(r)) << i;
    }
    EXPECT_EQ(0.0f, l);
    EXPECT_EQ(0.0f, r);
    for (int pair = 0; pair < TenBandEQ::kBands; ++pair)
    {
        EXPECT_EQ(0.0f, eq.Left(pair).Y1());
        EXPECT_EQ(0.0f, eq.Right(pair).Y2());
    }
}

TEST(EffectsDenormalTest, ToneControlSilenceAfterLoudInputStaysClean)
{
    ToneControl tone(kRate, 880, 5000);
    tone.SetLowGain(1.8f);
    tone.SetMidGain(0.2f);
    tone.SetHighGain(0.0f);
    std::vector<float> buffer = LoudNoise(kRate, 4);
    tone.Process(buffer.data(), kRate);
    for (int second = 0; second < 10; ++second)
    {
        std::fill(buffer.begin(), buffer.end(), 0.0f);
        tone.Process(buffer.data(), kRate);
        for (float v : buffer)
        {
            ASSERT_TRUE(IsCleanFloat(v)) << v;
        }
    }
    for (int i = 0; i < 11; ++i)
    {
        EXPECT_TRUE(IsCleanFloat(tone.State(i))) << i << " " << tone.State(i);
    }
}

TEST(EffectsDenormalTest, LimiterSilenceAfterLoudInputStaysClean)
{
    SimpleLimit limiter;
    limiter.SetSampleRate(static_cast<float>(kRate));
    limiter.SetAttack(5.0f);
    limiter.SetRelease(50.0f);
    limiter.SetThreshold(-0.5f);
    limiter.Reset();
    for (float x : LoudNoise(kRate, 5))
    {
        float l = x;
        float r = x * 0.5f;
        limiter.ProcessSample(l, r);
    }
    for (int i = 0; i < 10 * kRate; ++i)
    {
        float l = 0.0f;
        float r = 0.0f;
        limiter.ProcessSample(l, r);
        ASSERT_TRUE(IsCleanFloat(l) && IsCleanFloat(r)) << i;
    }
    // The release stalls within float rounding of the threshold gain (about -0.0001 dB of gain).
    EXPECT_NEAR(limiter.GetThresholdGain(), limiter.GetEnvelope(), 2e-5f);
    EXPECT_TRUE(IsCleanFloat(limiter.GetEnvelope()));
}
