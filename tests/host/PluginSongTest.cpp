// What a musician hears in a song through the built plug-in: notes where the host expects them once it
// has taken the reported delay into account, the same audio whatever blocks the host renders in, a saved
// song coming back as it was, a host's panic and reset silencing the piano, the lid closed or open, the
// strings' resonance, keys at their pitch at every rate the engine runs at, a dense loud passage held under
// the limiter's ceiling; and the parameters as the host sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/programs/PresetsFile.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
using Song = std::vector<SongEvent>;
constexpr int kBlock = 256;
constexpr double kRate = 44100.0;

// The energy of a signal's second difference, which weighs each frequency by the fourth power of its
// distance from 0 Hz: mostly the highs.
double Highs(const std::vector<float>& x)
{
    double sum = 0.0;
    for (size_t i = 2; i < x.size(); ++i)
        sum += std::pow(static_cast<double>(x[i]) - 2.0 * x[i - 1] + x[i - 2], 2.0);
    return sum;
}

// The energy of a signal twice averaged over 256 frames: what lies below about 150 Hz.
double Lows(std::vector<float> x)
{
    for (int pass = 0; pass < 2; ++pass)
    {
        const std::vector<float> in = x;
        double run = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
            x[i] = static_cast<float>((run += in[i] - (i >= 256 ? in[i - 256] : 0.0f)) / 256.0);
    }
    return std::inner_product(x.begin() + 512, x.end(), x.begin() + 512, 0.0);
}

// Three notes of a song: a pedalled chord, a note over it, the pedal lifted.
const Song kThreeNotes = {{1000, 0x90, 48, 90},  {1000, 0x90, 55, 70}, {1200, 0xB0, 64, 127},
                          {4614, 0x90, 64, 100}, {9000, 0x80, 48, 0},  {9000, 0x80, 55, 0},
                          {12000, 0x80, 64, 0},  {15000, 0xB0, 64, 0}};

class PluginSong : public ::testing::Test
{
protected:
    std::unique_ptr<PluginInstance> start(const std::vector<uint8_t>& bank, int blockSize = 4096,
                                          double rate = 44100.0)
    {
        if (!written)
            folder.addBank(bank);
        written = true;
        HostAnswers answers;
        answers.sampleRate = rate;
        auto instance = folder.instantiate(answers);
        if (!instance || !WaitForSampleData(*instance))
            return nullptr;
        instance->setBlockSize(blockSize);
        instance->dispatch(effMainsChanged, 0, 1);
        return instance;
    }

    // A presets file of the given programs (name and the eleven parameter values each).
    void writePrograms(const std::vector<std::pair<std::string, std::vector<float>>>& programs)
    {
        std::vector<instrument::StoredProgram> stored(programs.size());
        for (size_t i = 0; i < programs.size(); ++i)
        {
            std::snprintf(stored[i].name, sizeof stored[i].name, "%s", programs[i].first.c_str());
            std::memcpy(stored[i].values, programs[i].second.data(), sizeof stored[i].values);
        }
        ASSERT_TRUE(instrument::PresetsFile::write(folder.besidePlugin("presets").c_str(), stored));
    }

    PluginFolder folder;
    bool written = false;
};

TEST_F(PluginSong, ANoteFirstSoundsAfterTheReportedDelayAtEveryRate)
{
    for (const float rate : {44100.0f, 96000.0f, 22050.0f})
        for (const int frame : {100, 1000, 3333})
        {
            auto instance = start(instrumenttest::ReleaseNoiseBank());
            ASSERT_TRUE(instance);
            ChangeRate(*instance, rate);
            instance->setParameter(2, 0.0f); // the dry tone only: nothing sounds before it
            const int delay = instance->effect()->initialDelay;
            // The limiter looks 5 ms ahead; a host learns of a new delay through ioChanged.
            EXPECT_EQ(delay, static_cast<int>(rate * 0.005f)) << rate << " Hz";
            EXPECT_EQ(instance->hostCalls(audioMasterIOChanged), rate == 44100.0f ? 0 : 1) << rate << " Hz";
            const std::vector<float> audio =
                Render(*instance, frame + 2 * delay + 256, 256, {{frame, 0x90, 60, 100}});
            const auto sounding = std::find_if(audio.begin(), audio.end(), [](float x) { return x != 0.0f; });
            // Never before the reported delay; after it, within the engine's steps of 64 frames: it takes a
            // note at its next step and its envelope may open at the one after.
            const auto late = sounding - audio.begin() - (frame + delay);
            EXPECT_GE(late, 0) << rate << " Hz, note at " << frame;
            EXPECT_LE(late, 2 * 64) << rate << " Hz, note at " << frame;
            instance->close();
        }
}

TEST_F(PluginSong, TheSameSongSoundsTheSameInBlocksOfAnySize)
{
    constexpr int kFrames = 44100;
    auto first = start(instrumenttest::ReleaseNoiseBank());
    ASSERT_TRUE(first);
    const std::vector<float> reference = Render(*first, kFrames, 256, kThreeNotes);
    ASSERT_GT(*std::max_element(reference.begin(), reference.end()), 0.01f);
    first->close();
    for (const int size : {1, 17, 64, 1000, 4096, 0}) // 0: a different size for every block
    {
        auto instance = start(instrumenttest::ReleaseNoiseBank());
        ASSERT_TRUE(instance);
        const std::vector<float> audio = Render(
            *instance, kFrames, [size](int block) { return size ? size : 1 + (block * 733) % 1500; },
            kThreeNotes);
        const auto differs = std::mismatch(audio.begin(), audio.end(), reference.begin()).first;
        EXPECT_TRUE(differs == audio.end())
            << "blocks of " << size << " differ from blocks of 256 from frame "
            << (differs - audio.begin()) % kFrames;
        instance->close();
    }
}

TEST_F(PluginSong, ASavedChunkAndProgramPlayTheSameInAFreshInstance)
{
    writePrograms({{"Plain", std::vector<float>(11, 0.5f)},
                   {"Bright", {0.9f, 0.4f, 0.5f, 0.6f, 0.45f, 0.7f, 0.8f, 0.2f, 0.3f, 0.6f, 0.4f}}});
    auto saved = start(instrumenttest::ResonanceBank());
    ASSERT_TRUE(saved);
    saved->dispatch(effSetProgram, 0, 1);
    saved->setParameter(3, 0.9f); // another reverb, and a louder one
    saved->setParameter(2, 0.8f);
    void* data = nullptr;
    ASSERT_EQ(saved->dispatch(effGetChunk, 0, 0, &data), 48);
    const std::vector<unsigned char> chunk(static_cast<unsigned char*>(data),
                                           static_cast<unsigned char*>(data) + 48);
    const VstIntPtr program = saved->dispatch(effGetProgram);
    const std::vector<float> before = Render(*saved, 30000, 512, kThreeNotes);

    auto fresh = start(instrumenttest::ResonanceBank());
    ASSERT_TRUE(fresh);
    fresh->dispatch(effSetProgram, 0, program);
    ASSERT_EQ(fresh->dispatch(effSetChunk, 0, 48, const_cast<unsigned char*>(chunk.data())), 48);
    EXPECT_EQ(fresh->getString(effGetProgramName), "Bright");
    EXPECT_TRUE(Render(*fresh, 30000, 512, kThreeNotes) == before);
}

// A host's stop and panic: all sound off silences pedalled notes at once; reset all controllers lifts the
// pedals exactly as pedal-up messages do, so that all notes off after it leaves silence.
TEST_F(PluginSong, AllSoundOffAndResetAllControllersSilenceAPedalledChord)
{
    const Song chord = {{0, 0xB0, 67, 127},
                        {0, 0xB0, 64, 127},
                        {100, 0x90, 48, 110},
                        {100, 0x90, 52, 110},
                        {100, 0x90, 55, 110}};
    constexpr int kStop = 20000;
    constexpr int kLater = 30000;
    const auto play = [&](const Song& stop)
    {
        auto instance = start(instrumenttest::ResonanceBank());
        if (!instance)
            return std::vector<float>();
        instance->setParameter(2, 0.0f); // no reverb tail after the voices
        Song song = chord;
        song.insert(song.end(), stop.begin(), stop.end());
        song.push_back({kLater, 0x90, 60, 100}); // played after the stop: soft or not
        return Render(*instance, 40000, 256, song);
    };

    const std::vector<float> soundOff = play({{kStop, 0xB0, 120, 0}});
    const int delay = 220;
    EXPECT_GT(Peak(soundOff, kStop - 2000, kStop), 0.05f);
    // Only the filters' short ring remains once the delay has passed.
    EXPECT_LT(Peak(soundOff, kStop + delay + 2000, kLater - 1000), 1e-4f) << "the pedalled voices ring on";

    const std::vector<float> pedalsUp =
        play({{kStop, 0xB0, 67, 0}, {kStop, 0xB0, 64, 0}, {kStop, 0xB0, 123, 0}});
    const std::vector<float> reset = play({{kStop, 0xB0, 121, 0}, {kStop, 0xB0, 123, 0}});
    EXPECT_LT(Peak(reset, kStop + delay + 2000, kLater - 1000), 1e-4f);
    EXPECT_TRUE(reset == pedalsUp) << "the reset does not act as lifting both pedals";
}

// Without reverb the chain sleeps on the first silent block; the limiter must first play out the end of
// the note its look-ahead holds, rather than keep it for the front of the next note.
TEST_F(PluginSong, WithoutReverbTheEndOfANoteStaysWhereItWas)
{
    auto instance = start(instrumenttest::ReleaseNoiseBank());
    ASSERT_TRUE(instance);
    instance->setParameter(2, 0.0f);
    instance->setParameter(1, 0.0f); // no release noise
    const std::vector<float> audio =
        Render(*instance, 12000, 256, {{0, 0x90, 60, 100}, {5000, 0x80, 60, 0}, {10000, 0x90, 60, 100}});
    EXPECT_GT(Peak(audio, 5000, 5000 + 220), 0.05f);
    // Nothing of the note (only the equaliser's faint ring) comes before the next one.
    EXPECT_LT(Peak(audio, 6000, 10000 + 220), 1e-3f);
}

// A dense, loud passage: pedalled fortissimo chords in both hands, eight a second, with the volume at full
// and the reverb up. The limiter holds every peak within its attack's 1 % of -0.5 dB, at both common rates.
TEST_F(PluginSong, ADenseLoudPassageStaysUnderTheLimiter)
{
    const double ceiling = std::pow(10.0, -0.5 / 20.0) * 1.01;
    const int chords[][7] = {{36, 48, 55, 60, 64, 67, 72}, {31, 43, 50, 59, 62, 67, 71},
                             {33, 45, 52, 57, 60, 64, 69}, {29, 41, 48, 57, 60, 65, 69},
                             {28, 40, 47, 55, 60, 64, 67}, {38, 50, 57, 62, 65, 69, 74}};
    constexpr int kChordFrames = 5512;
    constexpr int kChordCount = 40;
    Song song = {{0, 0xB0, 64, 127}};
    for (int c = 0; c < kChordCount; ++c)
        for (const int key : chords[c % 6])
        {
            const int frame = 100 + c * kChordFrames;
            if (c > 0)
                song.push_back({frame, 0x80, static_cast<uint8_t>(key), 0});
            song.push_back(
                {frame, 0x90, static_cast<uint8_t>(key), static_cast<uint8_t>(127 - (c * 13) % 40)});
        }
    for (const float rate : {44100.0f, 48000.0f})
    {
        auto instance = start(instrumenttest::TunedBank());
        ASSERT_TRUE(instance);
        ChangeRate(*instance, rate);
        instance->setParameter(4, 1.0f); // +6 dB
        instance->setParameter(2, 0.6f);
        const std::vector<float> audio = Render(*instance, kChordCount * kChordFrames + 20000, 256, song);
        EXPECT_LE(Peak(audio), ceiling) << rate << " Hz";
        EXPECT_GT(Peak(audio), 0.94f) << rate << " Hz: the passage should drive the limiter";
        instance->close();
    }
}

TEST_F(PluginSong, LongProgramNamesAreCutBetweenCharacters)
{
    // 23 bytes of text, then a two-byte and a three-byte character across the host's limit of 24.
    writePrograms(
        {{"Konzertfl\xC3\xBCgel gro\xC3\x9F ab \xC3\xA9\xE2\x82\xAC", std::vector<float>(11, 0.5f)}});
    auto instance = start(instrumenttest::ReleaseNoiseBank());
    ASSERT_TRUE(instance);
    EXPECT_EQ(instance->getString(effGetProgramName), "Konzertfl\xC3\xBCgel gro\xC3\x9F ab ");
    char indexed[64] = {};
    ASSERT_EQ(instance->dispatch(effGetProgramNameIndexed, 0, 0, indexed), 1);
    EXPECT_STREQ(indexed, "Konzertfl\xC3\xBCgel gro\xC3\x9F ab ");
}

class PlayingPlugin : public PluginSong
{
protected:
    void play(const std::vector<uint8_t>& bank)
    {
        plugin = start(bank, kBlock);
        ASSERT_TRUE(plugin);
        plugin->setParameter(2, 0.0f); // only the dry piano: the reverb would blur every comparison
    }

    // Renders seconds of audio in host blocks: the left channel, then the right.
    std::vector<float> render(double seconds)
    {
        return Render(*plugin, static_cast<int>(seconds * kRate) / kBlock * kBlock, kBlock);
    }

    std::unique_ptr<PluginInstance> plugin;
};

TEST_F(PlayingPlugin, TheClosedLidLowersOnlyTheUpperBands)
{
    play(instrumenttest::NoiseBank());
    plugin->setParameter(0, 1.0f);
    plugin->sendMidi({{0, 0x90, 60, 127}});
    render(0.2);
    const std::vector<float> open = render(1.0);
    plugin->setParameter(0, 0.0f);
    render(0.2);
    const std::vector<float> closed = render(1.0);

    // The closed lid's curve lies 3 to 8 dB below the open one's from 500 Hz up, most at the top; up to
    // 250 Hz both curves are the same.
    EXPECT_LT(10.0 * std::log10(Highs(closed) / Highs(open)), -4.0);
    EXPECT_NEAR(10.0 * std::log10(Lows(closed) / Lows(open)), 0.0, 0.5);
}

TEST_F(PlayingPlugin, WithTheSustainPedalDownResonanceLeavesMoreAfterTheNoteOff)
{
    const auto afterRelease = [this](float resonance)
    {
        plugin->setParameter(6, resonance);
        render(0.01);
        plugin->sendMidi({{0, 0xB0, 64, 127}, {10, 0x90, 60, 100}});
        render(0.4);
        plugin->sendMidi({{0, 0x80, 60, 0}});
        const std::vector<float> held = render(0.3);
        plugin->sendMidi({{0, 0xB0, 64, 0}, {0, 0xB0, 123, 0}});
        render(0.3);
        return std::inner_product(held.begin(), held.end(), held.begin(), 0.0);
    };
    play(instrumenttest::ResonanceBank());
    const double dry = afterRelease(0.0f);
    const double resonant = afterRelease(1.0f);
    EXPECT_GT(dry, 1.0);
    // The resonance layer comes up to the tone's own level: nearly twice the energy.
    EXPECT_GT(resonant, dry * 1.6);
}

class PluginParameters : public PlayingPlugin
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        plugin = folder.instantiate();
        ASSERT_TRUE(plugin);
    }
};

TEST_F(PluginParameters, NamesAndLabelsFromTheStringTable)
{
    EXPECT_EQ(plugin->getString(effGetParamName, 0), "Lid");
    EXPECT_EQ(plugin->getString(effGetParamName, 5), "VelCurve");
    EXPECT_EQ(plugin->getString(effGetParamName, 10), "Treble");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 1), "%");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 3), "");
}

// Stepped parameters report the centre of their step; the steps' edges are where a host's automation
// switches.
TEST_F(PluginParameters, ValuesAreReportedAndShownAtTheEdgesOfTheirSteps)
{
    const struct
    {
        int index;
        float value, reported;
        const char* shown;
    } rows[] = {{0, 1.0f, 0.875f, "Open"},
                {0, 0.74f, 0.625f, "OpenMore"},
                {0, 0.25f, 0.375f, "OpenSome"},
                {0, 0.24f, 0.125f, "Closed"},
                {3, 1.0f, 13.0f / 14.0f, "Room 3"},
                {5, 0.5f, 0.5f, "Normal"},
                {5, 1.0f, 0.9f, "Very Hea"},
                {8, 0.5f, 0.5f, "100"},
                {10, 1.0f, 1.0f, "200"},
                {4, 0.333f, 0.333f, "33"}};
    for (const auto& row : rows)
    {
        plugin->setParameter(row.index, row.value);
        EXPECT_FLOAT_EQ(plugin->getParameter(row.index), row.reported) << row.index << " at " << row.value;
        EXPECT_EQ(plugin->getString(effGetParamDisplay, row.index), row.shown)
            << row.index << " at " << row.value;
    }
}

TEST_F(PluginParameters, ValuesOutsideZeroToOneAndUnknownIndicesChangeNothingButAreLogged)
{
    plugin->setParameter(2, 0.4f);
    for (const float outside : {1.5f, -0.1f, std::numeric_limits<float>::quiet_NaN()})
        plugin->setParameter(2, outside);
    EXPECT_EQ(plugin->getParameter(2), 0.4f);
    plugin->setParameter(11, 0.5f);
    EXPECT_EQ(plugin->getParameter(11), 0.0f);
    EXPECT_TRUE(folder.logHas("Set Parameter 2 value 1.500000"));
}

// The engine runs at 8000 to 96000 Hz, and at 176400 and 192000 Hz at half the host's rate with an
// upsampler. At a rate outside them the instrument stays silent rather than play out of tune.
class SampleRateTest : public PluginSong
{
protected:
    static constexpr double kA440 = 440.0; // key 69

    // Key 69's rising zero crossings per second while held; 0 when the instrument stays silent.
    static double playedFrequency(PluginInstance& instance, float rate, bool sound)
    {
        ChangeRate(instance, rate);
        if (sound) // the samples are read in the background after the change
        {
            EXPECT_TRUE(WaitForSampleData(instance));
        }
        instance.sendMidi({{0, 0x90, 69, 100}});
        Render(instance, static_cast<int>(rate * 0.2f), kBlock);
        const std::vector<float> held = Render(instance, static_cast<int>(rate * 0.5f), kBlock);
        instance.sendMidi({{0, 0x80, 69, 0}});
        Render(instance, static_cast<int>(rate * 0.5f), kBlock);
        int crossings = 0;
        for (size_t i = 1; i < held.size() / 2; ++i) // the left channel
            crossings += held[i - 1] < 0.0f && held[i] >= 0.0f;
        return crossings * static_cast<double>(rate) / static_cast<double>(held.size() / 2);
    }
};

TEST_F(SampleRateTest, KeysKeepTheirPitchAtEveryRateTheEngineRunsAndAreSilentOutsideThem)
{
    auto instance = start(instrumenttest::TunedBank(), kBlock, 176400.0);
    ASSERT_TRUE(instance);
    instance->setParameter(2, 0.0f); // no reverb: only the dry tone is counted
    const struct
    {
        float rate;
        bool sound;
    } steps[] = {{176400.0f, true},  {88200.0f, true}, {8000.0f, true},  {22050.0f, true},
                 {384000.0f, false}, {96000.0f, true}, {48000.0f, true}, {192000.0f, true},
                 {6000.0f, false},   {32000.0f, true}, {44100.0f, true}};
    for (const auto& step : steps)
        EXPECT_NEAR(step.sound ? kA440 : 0.0, playedFrequency(*instance, step.rate, step.sound), kA440 * 0.02)
            << step.rate << " Hz";
    for (const std::string text :
         {"Engine rate 88200 Hz: half the host's 176400 Hz, doubled by the upsampler (16 frames later).",
          "Engine rate 88200 Hz."})
        EXPECT_TRUE(folder.logHas(text)) << text;
}

// A rate change ends every voice; what the limiter held from before must not come out again at the new
// look-ahead. At 176400 Hz the reverb starts empty, so only the equaliser's decaying memory is left.
TEST_F(SampleRateTest, ARateChangeDoesNotReplayTheAudioBeforeIt)
{
    auto instance = start(instrumenttest::ReleaseNoiseBank(), kBlock);
    ASSERT_TRUE(instance);
    std::vector<PluginInstance::Midi> chord;
    for (uint8_t key = 40; key <= 80; ++key)
        chord.push_back({0, 0x90, key, 127});
    instance->sendMidi(chord);
    const float before = Peak(Render(*instance, 40 * 512, kBlock));
    ChangeRate(*instance, 176400.0f);
    ASSERT_GT(before, 0.3f);
    EXPECT_LT(Peak(Render(*instance, 512, kBlock)), 0.05f * before);
}

} // namespace
