#include "dsp/ToneControl.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

using namespace dsp;

namespace
{
constexpr int kStates = 11;

TEST(ToneControlTest, UnityGainsLeaveBufferAndStatesUntouched)
{
    ToneControl tone(44100, 880, 5000);
    tone.SetLowGain(1.5f);
    std::vector<float> warmUp = dsptest::Sine(300.0, 44100.0, 1000);
    tone.Process(warmUp.data(), static_cast<int>(warmUp.size()));
    tone.SetLowGain(1.0f);
    float before[kStates];
    for (int i = 0; i < kStates; ++i)
        before[i] = tone.State(i);
    std::vector<float> buffer = dsptest::Sine(1234.0, 44100.0, 512);
    const std::vector<float> original = buffer;
    tone.Process(buffer.data(), 512);
    EXPECT_EQ(original, buffer);
    for (int i = 0; i < kStates; ++i)
        EXPECT_EQ(before[i], tone.State(i)) << i;
}

// A band's gain at zero takes its band away and leaves the middle; the low band lags the three-sample delayed
// input it is subtracted from, so the bass goes down by about 9 dB only.
TEST(ToneControlTest, ZeroGainRemovesItsBand)
{
    const struct
    {
        bool low;
        double frequency;
        float highestPeak;
        float lowestPeak;
    } cases[] = {{true, 100.0, 0.4f, 0.0f}, {true, 2000.0, 1.1f, 0.9f}, {false, 15000.0, 0.15f, 0.0f}};
    for (const auto& c : cases)
    {
        ToneControl tone(44100, 880, 5000);
        (c.low ? tone.SetLowGain(0.0f) : tone.SetHighGain(0.0f));
        std::vector<float> sine = dsptest::Sine(c.frequency, 44100.0, 44100);
        tone.Process(sine.data(), static_cast<int>(sine.size()));
        const float peak = dsptest::PeakFrom(sine, 22050);
        EXPECT_TRUE(peak >= c.lowestPeak && peak < c.highestPeak) << c.frequency << " Hz: " << peak;
    }
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
        EXPECT_EQ(0.0f, tone.State(i)) << i;
    EXPECT_EQ(0.5f, tone.MidGain());
}

} // namespace
