// The three pedals as a pianist uses them: the middle pedal holds exactly the notes whose keys were down as
// it went down, and their release noises come when they really end; the sustain pedal part way down damps
// released notes partly, and its resonance and noise follow how far the dampers are lifted.
#include <algorithm>
#include <cmath>
#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"

using namespace host;

namespace
{
constexpr int kSostenuto = 66, kResetAllControllers = 121, kAllNotesOff = 123;
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

    // The largest magnitude of a block from a frame on.
    static float PeakFrom(const Block& block, size_t from)
    {
        float found = 0.0f;
        for (const auto* channel : {&block.left, &block.right})
            for (size_t i = from; i < channel->size(); ++i)
                found = std::max(found, std::fabs((*channel)[i]));
        return found;
    }
};

// Everything but the resonance envelope's steps.
std::vector<EngineEvent> WithoutEnvelope(const std::vector<EngineEvent>& events)
{
    std::vector<EngineEvent> kept;
    for (const EngineEvent& event : events)
        if (!(event.type == 0xB0 && event.data1 == 21))
            kept.push_back(event);
    return kept;
}
} // namespace

// With hammer 0.5 a release noise has velocity 49: keys 48..56 use noise key 124, key 60 key 125. The held
// notes' note-offs (release velocity 0) and noises come as the pedal comes up, reset all controllers
// included; all notes off has ended them already; controller 66 itself never reaches the engine.
TEST_F(PianoPedals, TheMiddlePedalHoldsExactlyTheKeysDownAsItWentDown)
{
    start(instrumenttest::NoiseBank());
    synth->setParameter(kHammer, 0.5f);
    render(64);
    const struct
    {
        const char* what;
        std::vector<HostMidi> host;
        std::vector<EngineEvent> expected;
    } cases[] = {
        {"keys down at the press, a key struck later and a held key struck again",
         {{0, kNoteOn, 48, 100},
          {0, kNoteOn, 52, 100},
          {1, kControl, kSostenuto, 127},
          {2, kNoteOn, 55, 100},
          {3, kNoteOff, 48, 64},
          {3, kNoteOff, 52, 64},
          {3, kNoteOff, 55, 64},
          {4, kNoteOn, 48, 100},
          {5, kNoteOff, 48, 30},
          {6, kControl, kSostenuto, 0}},
         {{kNoteOn, 48, 99, 0},
          {kNoteOn, 52, 99, 0},
          {kNoteOn, 55, 99, 0},
          {kNoteOff, 55, 64, 0},
          {kNoteOn, 124, 49, 0},
          {kNoteOn, 48, 99, 0},
          {kNoteOff, 48, 0, 0},
          {kNoteOn, 124, 49, 0},
          {kNoteOff, 52, 0, 0},
          {kNoteOn, 124, 49, 0}}},
        {"the sustain pedal on top",
         {{0, kControl, 64, 127},
          {0, kNoteOn, 60, 100},
          {1, kControl, kSostenuto, 100},
          {2, kNoteOff, 60, 0},
          {3, kControl, kSostenuto, 0},
          {4, kControl, 64, 0}},
         {{kControl, 64, 127, 0},
          {kNoteOff, 122, 127, 0},
          {kNoteOn, 121, 46, 0},
          {kNoteOn, 60, 99, 0},
          {kNoteOff, 60, 0, 0},
          {kNoteOn, 125, 49, 0},
          {kControl, 64, 0, 0},
          {kNoteOff, 121, 127, 0},
          {kNoteOn, 122, 48, 0}}},
        {"reset all controllers lifts it",
         {{0, kNoteOn, 60, 100},
          {1, kControl, kSostenuto, 127},
          {2, kNoteOff, 60, 0},
          {3, kControl, kResetAllControllers, 0}},
         {{kNoteOn, 60, 99, 0}, {kNoteOff, 60, 0, 0}, {kNoteOn, 125, 49, 0}}},
        {"all notes off ends the held note for good",
         {{0, kNoteOn, 60, 100},
          {1, kControl, kSostenuto, 127},
          {2, kNoteOff, 60, 0},
          {3, kControl, kAllNotesOff, 0},
          {4, kControl, kSostenuto, 0}},
         {{kNoteOn, 60, 99, 0}, {kControl, kAllNotesOff, 0, 0}}},
        {"a pedal up that was never down",
         {{0, kNoteOn, 60, 100}, {1, kControl, kSostenuto, 0}, {2, kNoteOff, 60, 0}},
         {{kNoteOn, 60, 99, 0}, {kNoteOff, 60, 0, 0}, {kNoteOn, 125, 49, 0}}},
    };
    for (const auto& c : cases)
    {
        engineEvents.clear();
        sendHost(c.host);
        render(64);
        EXPECT_EQ(WithoutEnvelope(engineEvents), c.expected) << c.what;
        EXPECT_FALSE(synth->sostenutoPedal().isDown()) << c.what;
    }
}

// What is heard: a note held by the middle pedal sounds on after its key is up and stops when the pedal
// comes up; a note struck after the press stops with its key.
TEST_F(PianoPedals, TheMiddlePedalKeepsTheHeldNoteSoundingUntilItComesUp)
{
    start(instrumenttest::ReleaseNoiseBank());
    synth->setParameter(kHammer, 0.0f);
    synth->setParameter(kReverbAmount, 0.0f);
    render(64);
    for (const bool heldKey : {true, false})
    {
        if (heldKey)
            sendHost({{0, kNoteOn, 60, 100}, {10, kControl, kSostenuto, 127}});
        else
            sendHost({{0, kControl, kSostenuto, 127}, {10, kNoteOn, 60, 100}});
        render(4410, 256);
        sendHost({{0, kNoteOff, 60, 0}});
        const Block afterKey = render(8820, 256);
        sendHost({{0, kControl, kSostenuto, 0}});
        const Block afterPedal = render(8820, 256);
        const float late = PeakFrom(afterKey, 4410);
        if (heldKey)
            EXPECT_GT(late, 0.05f) << "the held note stopped with its key";
        else
            EXPECT_LT(late, 1e-3f) << "a note struck after the press is held";
        const float afterLift = PeakFrom(afterPedal, 4410);
        EXPECT_LT(afterLift, 1e-3f) << (heldKey ? "the held note rings on after the pedal" : "");
    }
}

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
