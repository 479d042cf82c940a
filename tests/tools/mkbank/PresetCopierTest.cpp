#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MemoryByteSource.h"
#include "PresetCopier.h"
#include "SoundFontNumbers.h"
#include "SoundFontReader.h"
#include "SourceBank.h"

namespace
{

using engine::SoundFontData;
using engine::SoundFontZone;
using mkbank::BankImage;
using mkbank::PresetCopier;

// The source as the builder sees it: written to bytes and parsed back.
struct ParsedSource
{
    std::vector<uint8_t> bytes;
    std::vector<int16_t> points;
    SoundFontData data;

    explicit ParsedSource(const engine_test::TestBank& bank) : bytes(bank.bytes()), points(bank.points)
    {
        engine::MemoryByteSource memory(bytes.data(), bytes.size());
        engine::SoundFontReader reader;
        if (!reader.read(memory, data))
            ADD_FAILURE() << reader.error();
    }
};

class PresetCopierTest : public ::testing::Test
{
protected:
    bool copy(uint16_t bank, uint16_t program)
    {
        engine::MemoryByteSource memory(source.bytes.data(), source.bytes.size());
        PresetCopier copier(source.data, memory);
        const bool ok = copier.copy(bank, program, image);
        error = copier.error();
        return ok;
    }
    const engine::SoundFontSampleHeader* copiedSample(const std::string& name) const
    {
        for (const auto& s : image.data.samples)
        {
            if (s.name == name)
                return &s;
        }
        return nullptr;
    }

    ParsedSource source{mkbank_test::MakePianoSource()};
    BankImage image;
    std::string error;
};

std::set<std::string> Names(const std::vector<engine::SoundFontSampleHeader>& samples)
{
    std::set<std::string> names;
    for (const auto& s : samples)
        names.insert(s.name);
    return names;
}

// Content: exactly what the preset uses.

TEST_F(PresetCopierTest, CopiesExactlyThePresetsInstrumentsAndSamples)
{
    ASSERT_TRUE(copy(0, 0)) << error;
    ASSERT_EQ(image.data.presets.size(), 1u);
    EXPECT_EQ(image.data.presets[0].name, "Grand");
    ASSERT_EQ(image.data.instruments.size(), 2u);
    EXPECT_EQ(image.data.instruments[0].name, "Piano Low");
    EXPECT_EQ(image.data.instruments[1].name, "Piano High");
    // The decoy, the other preset's sample and the sample of the noise-key zone stay behind.
    EXPECT_EQ(Names(image.data.samples),
              (std::set<std::string>{"Piano L", "Piano R", "Lone Left", "Piano High"}));
}

// Sample points: a new block, every sample re-based.

TEST_F(PresetCopierTest, SamplePointsAreTheSourcesAtTheirNewPositions)
{
    ASSERT_TRUE(copy(0, 0)) << error;
    for (const auto& copied : image.data.samples)
    {
        const auto original =
            std::find_if(source.data.samples.begin(), source.data.samples.end(),
                         [&](const engine::SoundFontSampleHeader& s) { return s.name == copied.name; });
        ASSERT_NE(original, source.data.samples.end());
        ASSERT_EQ(copied.end - copied.start, original->end - original->start) << copied.name;
        EXPECT_TRUE(std::equal(image.points.begin() + copied.start, image.points.begin() + copied.end,
                               source.points.begin() + original->start))
            << copied.name;
        // Loops keep their place in the audio.
        EXPECT_EQ(copied.loopStart - copied.start, original->loopStart - original->start);
        EXPECT_EQ(copied.loopEnd - copied.start, original->loopEnd - original->start);
        EXPECT_TRUE(std::equal(image.points.begin() + copied.loopStart, image.points.begin() + copied.loopEnd,
                               source.points.begin() + original->loopStart));
        EXPECT_EQ(copied.sampleRate, original->sampleRate);
        EXPECT_EQ(copied.originalPitch, original->originalPitch);
        EXPECT_EQ(copied.pitchCorrection, original->pitchCorrection);
    }
}

TEST_F(PresetCopierTest, LoopPointsOutsideTheSampleAreHeldAtItsEnds)
{
    source.data.samples[mkbank_test::kPianoHigh].loopEnd += 5000;
    ASSERT_TRUE(copy(1, 0)) << error;
    const auto& s = image.data.samples[0];
    EXPECT_EQ(s.loopEnd, s.end);
    EXPECT_EQ(s.loopStart, s.start + 100);
}

TEST_F(PresetCopierTest, StereoPairKeepsItsLinkUnderTheNewIndices)
{
    ASSERT_TRUE(copy(0, 0)) << error;
    const auto* left = copiedSample("Piano L");
    const auto* right = copiedSample("Piano R");
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->sampleType, engine::kSampleLeft);
    EXPECT_EQ(right->sampleType, engine::kSampleRight);
    EXPECT_EQ(&image.data.samples[left->sampleLink], right);
    EXPECT_EQ(&image.data.samples[right->sampleLink], left);
}

// Zones: the global zone folded in, the noise keys left free.

// Failures.

TEST_F(PresetCopierTest, MissingPresetFailsNamingIt)
{
    EXPECT_FALSE(copy(3, 5));
    EXPECT_EQ(error, "the source has no preset 3:5");
    EXPECT_FALSE(copy(0, 2));
    EXPECT_EQ(error, "the source has no preset 0:2");
}

} // namespace
