// Silence after loud input: no effect's output or memory decays into denormals, which would stall the
// audio thread; and the flush the audio thread runs under.
#include "dsp/FlushDenormals.h"
#include "dsp/SimpleLimit.h"
#include "dsp/TenBandEQ.h"
#include "dsp/ToneControl.h"
#include "dsp/zreverb/CReverb.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include <xmmintrin.h>

using namespace dsp;

using dsptest::IsCleanFloat;

namespace
{
constexpr int kRate = 44100;

std::vector<float> LoudNoise(int samples, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(-4.0f, 4.0f);
    std::vector<float> v(static_cast<size_t>(samples));
    for (float& x : v)
        x = unit(random);
    return v;
}

TEST(EffectsDenormalTest, ReverbSilenceAfterLoudInputStaysClean)
{
    for (int preset = 0; preset < zreverb::kReverbPresetCount; ++preset)
    {
        zreverb::CReverb reverb;
        ASSERT_EQ(zreverb::kReverbOk, reverb.Create(kRate, 2, 0));
        ASSERT_EQ(zreverb::kReverbOk, reverb.SetPreset(preset));
        reverb.SetMix(1.0f);
        std::vector<float> block = LoudNoise(2 * 4096, static_cast<unsigned>(preset));
        for (int b = 0; b < 10; ++b)
            ASSERT_EQ(zreverb::kReverbOk, reverb.Process(block.data(), block.data(), 4096));
        for (int b = 0; b < 10 * kRate / 4096; ++b) // ten seconds of silence
        {
            std::fill(block.begin(), block.end(), 0.0f);
            reverb.Process(block.data(), block.data(), 4096);
            for (float v : block)
                ASSERT_TRUE(IsCleanFloat(v)) << "preset " << preset << " block " << b << " value " << v;
        }
        const zreverb::CReverbNetwork& net = reverb.Network();
        for (int c = 0; c < 2; ++c)
        {
            EXPECT_TRUE(IsCleanFloat(net.FeedbackA().Channel(c))) << preset;
            EXPECT_TRUE(IsCleanFloat(net.FeedbackB().Channel(c))) << preset;
            EXPECT_TRUE(IsCleanFloat(net.BassBoost().Y1().Channel(c))) << preset;
            EXPECT_TRUE(IsCleanFloat(net.TankA().Damping().State().Channel(c))) << preset;
            EXPECT_TRUE(IsCleanFloat(net.TankB().Damping().State().Channel(c))) << preset;
            EXPECT_TRUE(IsCleanFloat(net.EarlyReflections().InputFilter().State().Channel(c))) << preset;
            for (int s = 0; s < 4; ++s)
                EXPECT_TRUE(IsCleanFloat(net.LowPass().Section().StageOutput(s).Channel(c))) << preset;
        }
    }
}

// The equaliser, the tone control and the limiter as the instrument sets them up, each fed a second of loud
// noise and then ten seconds of silence, frame by frame; afterwards their memories are clean as well.
TEST(EffectsDenormalTest, EqualiserToneControlAndLimiterSilenceAfterLoudInputStaysClean)
{
    TenBandEQ eq(static_cast<float>(kRate));
    for (int i = 0; i < TenBandEQ::kBands; ++i)
        eq.SetBandGain(i, i % 2 ? 12.0f : -12.0f);
    ToneControl tone(kRate, 880, 5000);
    tone.SetLowGain(1.8f);
    tone.SetMidGain(0.2f);
    tone.SetHighGain(0.0f);
    SimpleLimit limiter;
    limiter.SetSampleRate(static_cast<float>(kRate));
    limiter.SetAttack(5.0f);
    limiter.SetRelease(50.0f);
    limiter.SetThreshold(-0.5f);
    limiter.Reset();
    const struct
    {
        const char* name;
        std::function<void(float&, float&)> process;
        std::function<bool()> memoryClean;
    } cases[] = {
        {"equaliser", [&](float& l, float& r) { eq.ProcessSample(l, r); },
         [&]
         {
             bool zero = true;
             for (int pair = 0; pair < TenBandEQ::kBands; ++pair)
                 zero = zero && eq.Left(pair).Y1() == 0.0f && eq.Right(pair).Y2() == 0.0f;
             return zero;
         }},
        {"tone control", [&](float& l, float&) { tone.Process(&l, 1); },
         [&]
         {
             bool clean = true;
             for (int i = 0; i < 11; ++i)
                 clean = clean && IsCleanFloat(tone.State(i));
             return clean;
         }},
        {"limiter", [&](float& l, float& r) { limiter.ProcessSample(l, r); },
         [&] { return IsCleanFloat(limiter.GetEnvelope()); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (float x : LoudNoise(kRate, 3))
        {
            float l = x;
            float r = -0.5f * x;
            c.process(l, r);
        }
        for (int i = 0; i < 10 * kRate; ++i)
        {
            float l = 0.0f;
            float r = 0.0f;
            c.process(l, r);
            ASSERT_TRUE(IsCleanFloat(l) && IsCleanFloat(r)) << i << ": " << l << ", " << r;
        }
        EXPECT_TRUE(c.memoryClean());
    }
}

TEST(FlushDenormalsTest, DenormalsAreZeroInsideAndTheModeComesBackAfter)
{
    volatile float tiny = 1e-38f;
    volatile float half = 0.5f;
    ASSERT_NE(0.0f, tiny * half); // a denormal result without the flush
    // The control bits, not the sticky exception flags that any arithmetic sets.
    const unsigned kControl = ~0x3Fu;
    const unsigned before = _mm_getcsr() & kControl;
    {
        const FlushDenormals flush;
        EXPECT_EQ(0.0f, tiny * half); // flushed result
        volatile float denormal = 5e-39f;
        EXPECT_EQ(0.0f, denormal * 1e30f); // denormal input read as zero
    }
    EXPECT_EQ(before, _mm_getcsr() & kControl);
    EXPECT_NE(0.0f, tiny * half);
}

} // namespace
