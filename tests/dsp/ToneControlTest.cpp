#include "dsp/ToneControl.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

using namespace dsp;

namespace
{
constexpr int kStates = 11;

void WarmUp(ToneControl& tone)
{
    tone.SetLowGain(1.5f);
    std::vector<float> noise = dsptest::Sine(300.0, 44100.0, 1000);
    tone.Process(noise.data(), static_cast<int>(noise.size()));
    tone.SetLowGain(1.0f);
}
} // namespace

TEST(ToneControlTest, UnityGainsLeaveBufferAndStatesUntouched)
{
    ToneControl tone(44100, 880, 5000);
    WarmUp(tone);
    float before[kStates];
    for (int i = 0; i < kStates; ++i)
    {
        before[i] = tone.State(i);
    }
    std::vector<float> buffer = dsptest::Sine(1234.0, 44100.0, 512);
    const std::vector<float> original = buffer;
    tone.Process(buffer.data(), 512);
    EXPECT_EQ(original, buffer);
    for (int i = 0; i < kStates; ++i)
    {
        EXPECT_EQ(before[i], tone.State(i)) << i;
    }
}

TEST(ToneControlTest, ZeroLowGainRemovesBassAndKeepsMids)
{
    ToneControl tone(44100, 880, 5000);
    tone.SetLowGain(0.0f);
    std::vector<float> bass = dsptest::Sine(100.0, 44100.0, 44100);
    tone.Process(bass.data(), static_cast<int>(bass.size()));
    // About -9 dB: the low band lags the three-sample delayed input it is subtracted from.
    EXPECT_LT(dsptest::PeakFrom(bass, 22050), 0.4f);

    ToneControl mids(44100, 880, 5000);
    mids.SetLowGain(0.0f);
    std::vector<float> mid = dsptest::Sine(2000.0, 44100.0, 44100);
    mids.Process(mid.data(), static_cast<int>(mid.size()));
    EXPECT_NEAR(1.0f, dsptest::PeakFrom(mid, 22050), 0.1f);
}

TEST(ToneControlTest, ZeroHighGainRemovesTreble)
{
    ToneControl tone(44100, 880, 5000);
    tone.SetHighGain(0.0f);
    std::vector<float> treble = dsptest::Sine(15000.0, 44100.0, 44100);
    tone.Process(treble.data(), static_cast<int>(treble.size()));
    EXPECT_LT(dsptest::PeakFrom(treble, 22050), 0.15f); // below -16 dB
}

TEST(ToneControlTest, RateChangeClearsHistoryAndKeepsGains)
{
    ToneControl tone(44100, 880, 5000);
    tone.SetMidGain(0.5f);
    std::vector<float> buffer = dsptest::Sine(440.0, 44100.0, 300);
    tone.Process(buffer.data(), 300);
    ASSERT_NE(0.0f, tone.State(8));
    tone.SetSampleRate(48000);
    for (int i = 0; i < kStates; ++i)
    {
        EXPECT_EQ(0.0f, tone.State(i)) << i;
    }
    EXPECT_FLOAT_EQ(static_cast<float>(2.0 * std::sin(dsptest::kPi * 880.0 / 48000.0)),
                    tone.LowCoefficient());
    EXPECT_FLOAT_EQ(static_cast<float>(2.0 * std::sin(dsptest::kPi * 5000.0 / 48000.0)),
                    tone.HighCoefficient());
    EXPECT_EQ(0.5f, tone.MidGain());
}
