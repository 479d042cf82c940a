// A piano key as one set of strings, heard at the engine binding's output: a key struck again ends its
// earlier strike with a fade and no click, a key's release follows how fast it came up, and the noise keys
// keep their own rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "engine/FluidSynthLibrary.h"
#include "engine/LoadWait.h"
#include "engine/SampleDataCache.h"
#include "engine/SoundBankLoader.h"
#include "engine/SynthEngine.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{
constexpr int kRate = 44100;
constexpr int kNoteOn = 0x90, kNoteOff = 0x80, kControl = 0xB0;
constexpr int kRestrike = 10000;
// A fade of 30 ms steps each sample by the level over this many frames.
constexpr double kThirtyMillisecondFrames = 0.030 * kRate;
constexpr int kLooped = 1;

struct Event
{
    int frame, type, data1, data2;
};

// A level that stands still on the piano's keys (a looped constant, so that every step of the output is a
// step of its envelope) with a release of a second, and a burst of noise on key 123.
std::vector<uint8_t> StrikeBank()
{
    TestBank bank;
    const size_t level = AddSample(bank, "level", std::vector<int16_t>(4410, 8000), 0, 4410, kRate, 60, 0);
    std::vector<int16_t> burst(8820);
    for (size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<int16_t>((i * 7919 % 2001) * 4 - 4000);
    const size_t knock = AddSample(bank, "knock", burst, 0, 8819, kRate, 123, 0);
    AddPlayedInstrument(
        bank, "Strings",
        {SoundFontZone{{Range(kGenKeyRange, 21, 108), Gen(kGenReleaseVolEnv, 0),
                        Gen(kGenSampleModes, kLooped), Gen(kGenSampleId, static_cast<int>(level))},
                       {}},
         SoundFontZone{{Range(kGenKeyRange, 123, 123), Gen(kGenSampleId, static_cast<int>(knock))}, {}}});
    return bank.bytes();
}

// The left output of the binding playing the events, rendered in stretches of 100 frames (which do not line
// up with the synthesizer's blocks), and the voices it plays after each stretch.
struct Played
{
    std::vector<float> left;
    std::vector<int> voices;
};

class KeyStrikesTest : public ::testing::Test
{
protected:
    void SetUp() override { file = std::make_unique<TempFile>("strikes", StrikeBank()); }

    Played play(const std::vector<Event>& events, int frames) const
    {
        Played played;
        SynthEngine engine(kRate);
        if (!engine.createSynth() || engine.load(file->path()) == -1 ||
            !WaitForLoadDone(SampleDataCache::shared()))
        {
            ADD_FAILURE() << "the bank does not load";
            return played;
        }
        played.left.resize(static_cast<size_t>(frames));
        std::vector<float> right(static_cast<size_t>(frames));
        size_t next = 0;
        for (int frame = 0; frame < frames;)
        {
            while (next < events.size() && events[next].frame <= frame)
            {
                engine.send(events[next].type, events[next].data1, events[next].data2);
                ++next;
            }
            int length = std::min(100, frames - frame);
            if (next < events.size())
                length = std::min(length, events[next].frame - frame);
            engine.render(length, played.left.data() + frame, right.data() + frame);
            frame += length;
            played.voices.push_back(engine.activeVoices());
        }
        return played;
    }

    std::unique_ptr<TempFile> file;
};

float LargestStep(const std::vector<float>& x, size_t from, size_t to)
{
    float largest = 0.0f;
    for (size_t i = std::max<size_t>(from, 1); i < to && i < x.size(); ++i)
        largest = std::max(largest, std::fabs(x[i] - x[i - 1]));
    return largest;
}

float Peak(const std::vector<float>& x, size_t from, size_t to)
{
    float peak = 0.0f;
    for (size_t i = from; i < to && i < x.size(); ++i)
        peak = std::max(peak, std::fabs(x[i]));
    return peak;
}

// However the earlier strike still sounds, the key's new strike fades it out: its largest step stays under
// what a 30 ms fade of its level gives, within 80 ms nothing of it is left, and its voice has ended. What
// the earlier strike adds is the difference between playing with it and without it.
TEST_F(KeyStrikesTest, AStrikeEndsTheKeysEarlierStrikeWithAFadeAndNoClick)
{
    const struct
    {
        const char* what;
        bool pedal;
        std::vector<Event> earlier;
    } cases[] = {
        {"held by the sustain pedal", true, {{0, kNoteOn, 60, 127}, {2000, kNoteOff, 60, 0}}},
        {"its key still down", false, {{0, kNoteOn, 60, 127}}},
        {"in its own release", false, {{0, kNoteOn, 60, 127}, {9000, kNoteOff, 60, 0}}},
    };
    constexpr int kFrames = 30000;
    for (const auto& c : cases)
    {
        std::vector<Event> strikeAlone = {{kRestrike, kNoteOn, 60, 127}};
        if (c.pedal)
            strikeAlone.insert(strikeAlone.begin(), {0, kControl, 64, 127});
        std::vector<Event> withEarlier = c.earlier;
        withEarlier.insert(withEarlier.begin(), strikeAlone.begin(), strikeAlone.end() - 1);
        withEarlier.push_back(strikeAlone.back());
        const Played both = play(withEarlier, kFrames);
        const Played alone = play(strikeAlone, kFrames);
        ASSERT_EQ(both.left.size(), static_cast<size_t>(kFrames)) << c.what;
        ASSERT_EQ(alone.left.size(), static_cast<size_t>(kFrames)) << c.what;
        std::vector<float> earlier(kFrames);
        std::transform(both.left.begin(), both.left.end(), alone.left.begin(), earlier.begin(),
                       std::minus<float>());

        const float level = Peak(earlier, kRestrike - 200, kRestrike);
        ASSERT_GT(level, 0.01f) << c.what;
        const float step = LargestStep(earlier, kRestrike, kFrames);
        EXPECT_GT(step, 0.0f) << c.what;
        EXPECT_LT(step, level / kThirtyMillisecondFrames) << c.what << ": a click where the strike is cut";
        EXPECT_LT(Peak(earlier, kRestrike + static_cast<int>(0.080 * kRate), kFrames), 1e-6f)
            << c.what << ": the earlier strike rings on";
        EXPECT_EQ(both.voices.back(), alone.voices.back()) << c.what << ": its voice has not ended";
    }
}

// Struck again and again faster than a fade lasts, under the pedal, a key never sounds louder than the new
// strike and one fading strike together, and its voices end but the last.
TEST_F(KeyStrikesTest, NoMoreThanTheNewStrikeAndOneFadingStrikeSoundAtOnce)
{
    constexpr int kInterval = 300;
    constexpr int kStrikes = 6;
    std::vector<Event> events = {{0, kControl, 64, 127}};
    for (int strike = 0; strike < kStrikes; ++strike)
        events.push_back({kRestrike + kInterval * strike, kNoteOn, 60, 127});
    const Played played = play(events, 20000);
    ASSERT_EQ(played.left.size(), 20000u);
    const float one = Peak(played.left, kRestrike + 200, kRestrike + kInterval);
    ASSERT_GT(one, 0.01f);
    // From the third strike on, once the synthesizer has started the strike's block.
    for (int strike = 2; strike < kStrikes; ++strike)
    {
        const int at = kRestrike + kInterval * strike;
        EXPECT_LE(Peak(played.left, at + 2 * KeyStrikes::kBlockFrames, at + kInterval), 2.0f * one * 1.001f)
            << "strike " << strike + 1;
    }
    EXPECT_EQ(played.voices.back(), 1);
}

// The noise keys are the bank's: under the pedal a second knock does not end the first.
TEST_F(KeyStrikesTest, TheNoiseKeysKeepEveryStrike)
{
    const Played played =
        play({{0, kControl, 64, 127}, {0, kNoteOn, 123, 100}, {1000, kNoteOn, 123, 100}}, 6000);
    ASSERT_FALSE(played.voices.empty());
    EXPECT_EQ(played.voices.back(), 2);
}

// A key let up fast (release velocity 127) fades sooner than one let up at 64, which sounds exactly as the
// synthesizer alone plays it, and so does a release without velocity (0); a slow one (1) lasts longer.
TEST_F(KeyStrikesTest, AFastReleaseEndsTheNoteSoonerAndSixtyFourOrNoneChangeNothing)
{
    const auto releasedWith = [this](int velocity) {
        return play({{0, kNoteOn, 60, 127}, {2000, kNoteOff, 60, velocity}}, 40000).left;
    };
    // The synthesizer alone, with our loader and the binding's gain and interpolation.
    std::vector<float> alone(40000);
    {
        SampleDataCache cache;
        fluid_settings_t* settings = FluidSynth().new_fluid_settings();
        FluidSynth().fluid_settings_setint(settings, "synth.audio-groups", 2);
        FluidSynth().fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        FluidSynth().fluid_settings_setint(settings, "synth.reverb.active", 0);
        fluid_synth_t* synth = FluidSynth().new_fluid_synth(settings);
        ASSERT_TRUE(RegisterSoundBankLoader(synth, cache));
        ASSERT_NE(LoadSoundBank(synth, file->path().c_str()), -1);
        ASSERT_TRUE(WaitForLoadDone(cache));
        FluidSynth().fluid_synth_set_gain(synth, 0.4f);
        FluidSynth().fluid_synth_set_interp_method(synth, -1, kInterpolationLinear);
        std::vector<float> right(alone.size());
        FluidSynth().fluid_synth_noteon(synth, 0, 60, 127);
        FluidSynth().fluid_synth_write_float(synth, 2000, alone.data(), 0, 1, right.data(), 0, 1);
        FluidSynth().fluid_synth_noteoff(synth, 0, 60);
        FluidSynth().fluid_synth_write_float(synth, 38000, alone.data(), 2000, 1, right.data(), 2000, 1);
        FluidSynth().delete_fluid_synth(synth);
        FluidSynth().delete_fluid_settings(settings);
    }
    const std::vector<float> neutral = releasedWith(64);
    EXPECT_TRUE(neutral == alone);
    EXPECT_TRUE(releasedWith(0) == alone);
    // The level 0.2 s into the release: a second's release has fallen about 19 dB, 0.71 s about 27 dB.
    const size_t later = 2000 + static_cast<size_t>(0.2 * kRate);
    const float neutralLevel = Peak(neutral, later, later + 100);
    ASSERT_GT(neutralLevel, 0.0f);
    const float fast = Peak(releasedWith(127), later, later + 100);
    const float slow = Peak(releasedWith(1), later, later + 100);
    EXPECT_LT(fast, neutralLevel * 0.5f);
    EXPECT_GT(slow, neutralLevel * 1.5f);
}

} // namespace
} // namespace enginetest
