#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

#include "engine/FluidSynthLibrary.h"
#include "engine/LoadWait.h"
#include "engine/SoundBankLoader.h"
#include "engine/TestBank.h"

using namespace engine;
using namespace sfwriter;

namespace enginetest
{
namespace
{

// A synthesizer at 44100 Hz without the engine's reverb, as the instrument sets it up.
struct SynthHarness
{
    SynthHarness()
    {
        settings = FluidSynth().new_fluid_settings();
        FluidSynth().fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
        FluidSynth().fluid_settings_setint(settings, "synth.reverb.active", 0);
        FluidSynth().fluid_settings_setint(settings, "synth.polyphony", 256);
        handle = FluidSynth().new_fluid_synth(settings);
    }
    ~SynthHarness()
    {
        FluidSynth().delete_fluid_synth(handle);
        FluidSynth().delete_fluid_settings(settings);
    }
    SynthHarness(const SynthHarness&) = delete;
    SynthHarness& operator=(const SynthHarness&) = delete;
    fluid_synth_t* synth() const { return handle; }

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* handle = nullptr;
};

// Types: 0x90 note on, 0x80 note off, 0xB0 controller, 0xE0 pitch bend.
struct Event
{
    int frame, type, channel, a, b;
};

void Apply(fluid_synth_t* synth, const Event& e)
{
    if (e.type == 0x90)
        FluidSynth().fluid_synth_noteon(synth, e.channel, e.a, e.b);
    else if (e.type == 0x80)
        FluidSynth().fluid_synth_noteoff(synth, e.channel, e.a);
    else if (e.type == 0xB0)
        FluidSynth().fluid_synth_cc(synth, e.channel, e.a, e.b);
    else
        FluidSynth().fluid_synth_pitch_bend(synth, e.channel, e.a);
}

// Plays a fixed sequence of notes, controllers, pitch bends and pedals over all three presets of the rich
// test bank and returns the left and right output interleaved.
std::vector<float> RenderRichSequence(fluid_synth_t* synth, int soundBankId)
{
    FluidSynth().fluid_synth_program_select(synth, 0, soundBankId, 0, 0); // Piano
    FluidSynth().fluid_synth_program_select(synth, 1, soundBankId, 0, 1); // Drums
    FluidSynth().fluid_synth_program_select(synth, 2, soundBankId, 1, 0); // Second bank
    const Event events[] = {
        {0, 0x90, 0, 48, 90},     {0, 0x90, 0, 64, 70},      {100, 0x90, 0, 75, 115},
        {130, 0x90, 0, 30, 10},   {300, 0xB0, 0, 1, 64},     {300, 0xB0, 0, 74, 100},
        {500, 0xE0, 0, 10000, 0}, {700, 0x90, 1, 38, 100},   {900, 0x90, 1, 43, 100},
        {950, 0x90, 1, 40, 60},   {960, 0x90, 1, 47, 55},    {1000, 0xB0, 0, 64, 127},
        {1000, 0x80, 0, 48, 0},   {1500, 0x90, 2, 60, 127},  {1600, 0x90, 2, 100, 50},
        {2000, 0x80, 0, 64, 0},   {2000, 0x80, 0, 75, 0},    {2100, 0xB0, 2, 1, 127},
        {2500, 0xE0, 0, 4000, 0}, {3000, 0xB0, 0, 64, 0},    {3500, 0x80, 2, 60, 0},
        {3600, 0x80, 1, 43, 0},   {4000, 0x90, 0, 108, 127}, {4400, 0x80, 0, 108, 0},
        {5000, 0x80, 2, 100, 0},
    };
    const int totalFrames = 30000;
    std::vector<float> out(2 * totalFrames);
    const auto write = [&](int from, int frames)
    {
        FluidSynth().fluid_synth_write_float(synth, frames, out.data(), 2 * from, 2, out.data(), 2 * from + 1,
                                             2);
    };
    int frame = 0;
    for (const Event& e : events)
    {
        if (e.frame > frame)
        {
            write(frame, e.frame - frame);
            frame = e.frame;
        }
        Apply(synth, e);
    }
    // Odd stretches, so that events and internal blocks do not line up.
    for (; frame < totalFrames; frame += 37)
        write(frame, std::min(37, totalFrames - frame));
    return out;
}

double Energy(const std::vector<float>& samples)
{
    return std::inner_product(samples.begin(), samples.end(), samples.begin(), 0.0);
}

// Loads the file through the system's loader and waits for its sample data.
int LoadOurs(SynthHarness& harness, SampleDataCache& cache, const std::string& path)
{
    if (!RegisterSoundBankLoader(harness.synth(), cache))
        return -1;
    const int id = LoadSoundBank(harness.synth(), path.c_str());
    return id != -1 && WaitForLoadDone(cache) ? id : -1;
}

// Our loader plays a file exactly as the engine's own loader does, and the product's "TAL" file exactly like
// its RIFF twin.
TEST(SoundBankLoader, RendersExactlyLikeTheEnginesOwnLoaderAlsoFromATalFile)
{
    const TestBank bank = MakeRichBank();
    const TempFile riff("riff", bank.bytes(FirstTag::Riff));
    const TempFile tal("tal", bank.bytes(FirstTag::Tal));
    SynthHarness library;
    const int libraryId = FluidSynth().fluid_synth_sfload(library.synth(), riff.path().c_str(), 1);
    ASSERT_NE(libraryId, -1);
    const std::vector<float> expected = RenderRichSequence(library.synth(), libraryId);
    ASSERT_GT(Energy(expected), 1.0);
    for (const TempFile* file : {&riff, &tal})
    {
        SampleDataCache cache;
        SynthHarness ours;
        const int id = LoadOurs(ours, cache, file->path());
        ASSERT_NE(id, -1);
        const std::vector<float> actual = RenderRichSequence(ours.synth(), id);
        const size_t first = static_cast<size_t>(
            std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first -
            actual.begin());
        EXPECT_EQ(first, expected.size()) << file->path() << ": first difference at frame " << first / 2;
    }
}

// The loader registers once. A file the reader refuses (a sample running past the sample data, which the
// engine's own loader would only mute), a missing file, and a bank whose sample data cannot attach to the
// block another bank holds load nothing, and the engine's loaders do not keep them either.
TEST(SoundBankLoader, RegistersOnceAndRefusedBanksLoadThroughNoLoader)
{
    TestBank damaged = MakeRichBank();
    damaged.data.samples[2].end = static_cast<uint32_t>(damaged.points.size()) + 10;
    const TempFile damagedFile("damaged", damaged.bytes());
    const TempFile first("first", MakeRichBank().bytes());
    const TempFile other("other", MakeSimpleBank(4000).bytes());
    SynthHarness library;
    ASSERT_NE(FluidSynth().fluid_synth_sfload(library.synth(), damagedFile.path().c_str(), 1), -1);

    SampleDataCache cache;
    SynthHarness ours, second;
    EXPECT_FALSE(RegisterSoundBankLoader(nullptr, cache));
    ASSERT_TRUE(RegisterSoundBankLoader(ours.synth(), cache));
    EXPECT_FALSE(RegisterSoundBankLoader(ours.synth(), cache));
    for (const std::string& path : {damagedFile.path(), std::string("/nonexistent/Virellando.DAT")})
        EXPECT_EQ(LoadSoundBank(ours.synth(), path.c_str()), -1) << path;
    EXPECT_EQ(FluidSynth().fluid_synth_sfcount(ours.synth()), 0);
    EXPECT_EQ(cache.userCount(), 0u);

    EXPECT_EQ(LoadSoundBank(ours.synth(), first.path().c_str()), 1);
    EXPECT_TRUE(WaitForLoadDone(cache));
    ASSERT_TRUE(RegisterSoundBankLoader(second.synth(), cache));
    EXPECT_EQ(LoadSoundBank(second.synth(), other.path().c_str()), -1);
    EXPECT_EQ(FluidSynth().fluid_synth_sfcount(second.synth()), 0);
    EXPECT_EQ(cache.userCount(), 1u);
}

TEST(SoundBankLoader, UnpitchedSampleRootPlaysAtMiddleC)
{
    // Root key 255 marks an unpitched sample; it plays as if its root were 60, so key 60 plays
    // it at its own pitch like a sample whose root is 60.
    std::vector<float> played[2];
    for (const int root : {255, 60})
    {
        TestBank bank = MakeSimpleBank(8000);
        bank.data.samples[0].originalPitch = static_cast<uint8_t>(root);
        const TempFile file("root", bank.bytes());
        SampleDataCache cache;
        SynthHarness harness;
        ASSERT_NE(LoadOurs(harness, cache, file.path()), -1);
        std::vector<float>& out = played[root == 60];
        out.resize(2048);
        FluidSynth().fluid_synth_noteon(harness.synth(), 0, 60, 100);
        FluidSynth().fluid_synth_write_float(harness.synth(), 1024, out.data(), 0, 2, out.data(), 1, 2);
    }
    ASSERT_GT(Energy(played[1]), 0.01);
    EXPECT_EQ(played[0], played[1]);
}

} // namespace
} // namespace enginetest
