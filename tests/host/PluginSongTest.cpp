// What a musician hears in a song through the built plug-in: notes where the host expects them once it
// has taken the reported delay into account, the same audio whatever blocks the host renders in, a saved
// song coming back as it was, and a host's panic and reset silencing the piano.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// Three notes of a song: a pedalled chord, a note over it, the pedal lifted.
const Song kThreeNotes = {{1000, 0x90, 48, 90},  {1000, 0x90, 55, 70}, {1200, 0xB0, 64, 127},
                          {4614, 0x90, 64, 100}, {9000, 0x80, 48, 0},  {9000, 0x80, 55, 0},
                          {12000, 0x80, 64, 0},  {15000, 0xB0, 64, 0}};

class PluginSong : public ::testing::Test
{
protected:
    std::unique_ptr<PluginInstance> start(const std::vector<uint8_t>& bank)
    {
        if (!written)
            folder.addBank(bank);
        written = true;
        auto instance = folder.instantiate();
        if (!instance || !WaitForSampleData(*instance))
            return nullptr;
        instance->setBlockSize(4096);
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

} // namespace
