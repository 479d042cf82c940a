#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/SoundBankLoader.h"
#include "engine/SynthHarness.h"
#include "engine/TestBank.h"

using namespace engine;
using namespace sfwriter;

namespace enginetest
{
namespace
{

using engine::LoadSoundBank;
using engine::RegisterSoundBankLoader;
using engine::SampleDataCache;
using sfwriter::FirstTag;

double Energy(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (float s : samples)
        sum += static_cast<double>(s) * s;
    return sum;
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
    const int libraryId = fluid_synth_sfload(library.synth(), riff.path().c_str(), 1);
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

TEST(SoundBankLoader, RefusedFileDoesNotLoadThroughTheEnginesLoaders)
{
    // A sample running past the sample data: the engine's loader would only mute that sample.
    TestBank bank = MakeRichBank();
    bank.data.samples[2].end = static_cast<uint32_t>(bank.points.size()) + 10;
    const TempFile file("damaged", bank.bytes());
    SynthHarness library;
    ASSERT_NE(fluid_synth_sfload(library.synth(), file.path().c_str(), 1), -1);

    SampleDataCache cache;
    SynthHarness ours;
    ASSERT_TRUE(RegisterSoundBankLoader(ours.synth(), cache));
    EXPECT_EQ(LoadSoundBank(ours.synth(), file.path().c_str()), -1);
    EXPECT_EQ(fluid_synth_sfcount(ours.synth()), 0);
    EXPECT_EQ(cache.userCount(), 0u);
}

TEST(SoundBankLoader, BankRefusedInsideTheLoaderIsUnloadedAgain)
{
    // The shared block belongs to the first bank; a bank with sample data of another size passes
    // the reader but cannot attach, and the engine's loader must not keep it either.
    const TempFile first("first", MakeRichBank().bytes());
    const TempFile other("other", MakeSimpleBank(4000).bytes());
    SampleDataCache cache;
    SynthHarness a, b;
    ASSERT_NE(LoadOurs(a, cache, first.path()), -1);
    ASSERT_TRUE(RegisterSoundBankLoader(b.synth(), cache));
    EXPECT_EQ(LoadSoundBank(b.synth(), other.path().c_str()), -1);
    EXPECT_EQ(fluid_synth_sfcount(b.synth()), 0);
    EXPECT_EQ(cache.userCount(), 1u);
}

TEST(SoundBankLoader, RegistersOncePerSynthesizerAndAMissingFileLoadsNothing)
{
    const TempFile file("register", MakeRichBank().bytes());
    SampleDataCache cache;
    SynthHarness harness;
    EXPECT_FALSE(RegisterSoundBankLoader(nullptr, cache));
    ASSERT_TRUE(RegisterSoundBankLoader(harness.synth(), cache));
    EXPECT_FALSE(RegisterSoundBankLoader(harness.synth(), cache));
    EXPECT_EQ(LoadSoundBank(harness.synth(), "/nonexistent/Virellando.DAT"), -1);
    EXPECT_EQ(fluid_synth_sfcount(harness.synth()), 0);
    EXPECT_EQ(LoadSoundBank(harness.synth(), file.path().c_str()), 1);
    EXPECT_TRUE(WaitForLoadDone(cache));
}

TEST(SoundBankLoader, UnpitchedSampleRootPlaysAtMiddleC)
{
    // Root key 255 marks an unpitched sample; it plays as if its root were 60, so key 60 plays
    // it at its own pitch like a sample whose root is 60.
    TestBank unpitched = MakeSimpleBank(8000);
    unpitched.data.samples[0].originalPitch = 255;
    TestBank middleC = MakeSimpleBank(8000);
    const TempFile unpitchedFile("unpitched", unpitched.bytes());
    const TempFile middleCFile("middlec", middleC.bytes());
    SampleDataCache cacheA, cacheB;
    SynthHarness a, b;
    ASSERT_NE(LoadOurs(a, cacheA, unpitchedFile.path()), -1);
    ASSERT_NE(LoadOurs(b, cacheB, middleCFile.path()), -1);
    std::vector<float> outA(2048), outB(2048);
    fluid_synth_noteon(a.synth(), 0, 60, 100);
    fluid_synth_noteon(b.synth(), 0, 60, 100);
    fluid_synth_write_float(a.synth(), 1024, outA.data(), 0, 2, outA.data(), 1, 2);
    fluid_synth_write_float(b.synth(), 1024, outB.data(), 0, 2, outB.data(), 1, 2);
    ASSERT_GT(Energy(outB), 0.01);
    EXPECT_EQ(outA, outB);
}

// Plays a few keys and velocities on every preset of the bank, then silences them.
void PlayEveryPreset(fluid_synth_t* synth, int id)
{
    fluid_sfont_t* sfont = fluid_synth_get_sfont_by_id(synth, id);
    ASSERT_NE(sfont, nullptr);
    std::vector<float> out(2 * 64);
    fluid_sfont_iteration_start(sfont);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(sfont))
    {
        fluid_synth_program_select(synth, 0, id, fluid_preset_get_banknum(preset),
                                   fluid_preset_get_num(preset));
        for (int key = 0; key < 128; key += 9)
            fluid_synth_noteon(synth, 0, key, 1 + key % 127);
        fluid_synth_write_float(synth, 64, out.data(), 0, 2, out.data(), 1, 2);
    }
    fluid_synth_all_sounds_off(synth, -1);
    fluid_synth_write_float(synth, 64, out.data(), 0, 2, out.data(), 1, 2);
}

TEST(SoundBankLoader, MutatedBanksLoadAndPlayOrFailCleanly)
{
    const std::vector<uint8_t> bytes = MakeRichBank().bytes();
    const size_t structure = bytes.size() - 700; // roughly where the pdta list starts
    std::mt19937 random(7);
    SampleDataCache cache;
    SynthHarness harness;
    ASSERT_TRUE(RegisterSoundBankLoader(harness.synth(), cache));
    const TempFile file("mutated");
    int loaded = 0;
    for (int round = 0; round < 2000; ++round)
    {
        std::vector<uint8_t> mutated = bytes;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int c = 0; c < changes; ++c)
        {
            const size_t at = random() % 8 != 0 ? structure + random() % (bytes.size() - structure)
                                                : random() % bytes.size();
            mutated[at] = static_cast<uint8_t>(random() % 3 == 0 ? 0xFF : random());
        }
        file.write(mutated);
        const int id = LoadSoundBank(harness.synth(), file.path().c_str());
        if (id == -1)
            continue;
        ++loaded;
        PlayEveryPreset(harness.synth(), id);
        ASSERT_EQ(fluid_synth_sfunload(harness.synth(), id, 1), FLUID_OK);
        ASSERT_EQ(cache.userCount(), 0u);
    }
    EXPECT_GT(loaded, 100);
}

} // namespace
} // namespace enginetest
