// The sustain pedal as a continuous pedal plays it: part way down it damps released notes partly, and its
// resonance and noise follow how far the dampers are lifted.
#include <cmath>
#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"

using namespace host;

namespace
{
constexpr int kHammer = 1, kReverbAmount = 2;

class PianoPedals : public PlayingInstrument
{
protected:
    // The time from frame `from` until the level over 10 ms has fallen 20 dB below the level of the 10 ms
    // before it; -1 when it never does.
    static double SecondsToFall20dB(const std::vector<float>& x, size_t from)
    {
        constexpr size_t kWindow = 441;
        const auto rms = [&x](size_t start)
        {
            double sum = 0.0;
            for (size_t i = start; i < start + kWindow; ++i)
                sum += static_cast<double>(x[i]) * x[i];
            return std::sqrt(sum / kWindow);
        };
        const double before = rms(from - kWindow);
        for (size_t start = from; start + kWindow <= x.size(); start += 44)
            if (rms(start) <= before * 0.1)
                return static_cast<double>(start + kWindow - from) / 44100.0;
        return -1.0;
    }
};

} // namespace

// A note released with the pedal part way down decays faster than with the pedal fully down and slower
// than with it up, the more slowly the further down the pedal is; 64 and 127 are both fully down, and a
// pedal at 0 sounds exactly as if it never moved.
TEST_F(PianoPedals, ANoteReleasedUnderAHalfPedalDecaysBetweenUpAndDown)
{
    // Each run on an instrument of its own, so that every one starts alike.
    const auto play = [this](const std::vector<HostMidi>& pedal)
    {
        synth.reset();
        start(instrumenttest::DampedBank());
        synth->setParameter(kHammer, 0.0f);
        synth->setParameter(kReverbAmount, 0.0f);
        render(64);
        sendHost(pedal);
        render(64);
        sendHost({{0, kNoteOn, 60, 100}});
        const Block held = render(4416, 256);
        sendHost({{0, kNoteOff, 60, 0}});
        const Block released = render(48512, 256);
        std::vector<float> left = held.left;
        left.insert(left.end(), released.left.begin(), released.left.end());
        return left;
    };
    const std::vector<float> untouched = play({});
    std::vector<double> seconds;
    for (const int value : {0, 30, 45, 64, 127})
    {
        const std::vector<float> left = play({{0, kControl, 64, value}});
        if (value == 0)
        {
            EXPECT_TRUE(left == untouched) << "a pedal at 0 changes the sound";
        }
        seconds.push_back(SecondsToFall20dB(left, 4416));
        EXPECT_GT(seconds.back(), 0.0) << value;
    }
    EXPECT_LT(seconds[0], seconds[1]);
    EXPECT_LT(seconds[1], seconds[2]);
    EXPECT_LT(seconds[2], seconds[3]);
    EXPECT_EQ(seconds[3], seconds[4]);
}

// Pressed fully, then let up to a value: the resonance envelope ends on the share of the top that the
// dampers stay lifted, and the dampers' noise (hammer 0.5: 48 when they fall all the way) is as much
// softer as they fall less far.
TEST_F(PianoPedals, TheResonanceAndTheDamperNoiseFollowHowFarTheDampersAreLifted)
{
    start(instrumenttest::NoiseBank());
    synth->setParameter(kHammer, 0.5f);
    render(64);
    const struct
    {
        int value, envelope, noise;
    } rows[] = {{0, 0, 48}, {15, 0, 48}, {30, 38, 33}, {45, 77, 19}, {63, 124, 1}};
    for (const auto& row : rows)
    {
        sendHost({{0, kControl, 64, 127}});
        render(12000);
        countFrames();
        sendHost({{0, kControl, 64, row.value}});
        render(2000);
        const std::vector<EngineEvent> envelope = controllers(21);
        ASSERT_FALSE(envelope.empty()) << row.value;
        EXPECT_EQ(envelope.back().data2, row.envelope) << row.value;
        EXPECT_EQ(keyFrames(kNoteOn), (KeyFrames{{122, 0}})) << row.value;
        const auto noise =
            engineEventsWhere([](const EngineEvent& e) { return e.type == 0x90 && e.data1 == 122; });
        ASSERT_EQ(noise.size(), 1u) << row.value;
        EXPECT_EQ(noise[0].data2, row.noise) << row.value;
    }
}
