#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/SoundFontReader.h"
#include "mkbank/BankBuilder.h"
#include "tools/mkbank/SourceBank.h"

using namespace mkbank;

namespace
{

using enginetest::TempFile;

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class BankBuilderTest : public ::testing::Test
{
protected:
    bool build(sfwriter::FirstTag tag = sfwriter::FirstTag::Tal, uint16_t bank = 0, uint16_t program = 0)
    {
        BuildOptions options;
        options.source = source.path();
        options.output = output.path();
        options.bank = bank;
        options.program = program;
        options.firstTag = tag;
        const bool ok = builder.build(options, summary);
        error = builder.error();
        return ok;
    }

    TempFile source{"mkbank-source", mkbank_test::MakePianoSource().bytes()};
    TempFile output{"mkbank-output"};
    BankBuilder builder;
    BuildSummary summary;
    std::string error;
};

TEST_F(BankBuilderTest, RiffOutputDiffersOnlyInTheFirstTag)
{
    ASSERT_TRUE(build(sfwriter::FirstTag::Tal)) << error;
    const auto tal = ReadAll(output.path());
    ASSERT_TRUE(build(sfwriter::FirstTag::Riff)) << error;
    const auto riff = ReadAll(output.path());
    ASSERT_EQ(tal.size(), riff.size());
    EXPECT_EQ(std::memcmp(riff.data(), "RIFF", 4), 0);
    EXPECT_TRUE(std::equal(tal.begin() + 4, tal.end(), riff.begin() + 4));
}

TEST_F(BankBuilderTest, OutputHoldsPianoResonanceAndNoises)
{
    ASSERT_TRUE(build()) << error;
    engine::SoundFontData data;
    engine::SoundFontReader reader;
    ASSERT_TRUE(reader.readFile(output.path(), data)) << reader.error();
    ASSERT_EQ(data.presets.size(), 1u);
    EXPECT_EQ(data.presets[0].name, "Grand");
    // Two piano zones, their two resonance twins, the noise zone.
    ASSERT_EQ(data.presets[0].zones.size(), 5u);
    // The two piano instruments, their resonance copies, the noises.
    ASSERT_EQ(data.instruments.size(), 5u);
    EXPECT_EQ(data.instruments[2].name, "Piano Low Res");
    EXPECT_EQ(data.instruments[4].name, "Mechanical Noises");
    EXPECT_EQ(data.samples.size(), 4u + 7u);
    EXPECT_EQ(summary.presetName, "Grand");
    EXPECT_EQ(summary.instruments, 2u);
    EXPECT_EQ(summary.samples, 4u);
    EXPECT_EQ(summary.pianoZones, 2u);
    EXPECT_EQ(summary.samplePoints, data.sampleDataSize / 2);
}

TEST_F(BankBuilderTest, FailedBuildKeepsThePreviousOutput)
{
    ASSERT_TRUE(build()) << error;
    const auto before = ReadAll(output.path());
    EXPECT_FALSE(build(sfwriter::FirstTag::Riff, 9, 9));
    EXPECT_EQ(ReadAll(output.path()), before);
}

TEST_F(BankBuilderTest, OutputThatCannotBeReplacedLeavesNoPartialFile)
{
    const std::string folder = output.path() + ".folder";
    std::filesystem::create_directory(folder);
    BuildOptions options;
    options.source = source.path();
    options.output = folder;
    EXPECT_FALSE(builder.build(options, summary));
    EXPECT_EQ(builder.error(), "cannot replace " + folder);
    EXPECT_FALSE(std::filesystem::exists(folder + ".part"));
    std::filesystem::remove(folder);
}

TEST_F(BankBuilderTest, PresetOnlyOnTheNoiseKeysFails)
{
    auto bank = mkbank_test::MakePianoSource();
    bank.data.presets[2].zones[0].generators.insert(bank.data.presets[2].zones[0].generators.begin(),
                                                    enginetest::Range(43, 121, 127));
    source.write(bank.bytes());
    EXPECT_FALSE(build(sfwriter::FirstTag::Tal, 1, 0));
    EXPECT_EQ(error, "preset 1:0 has no zones below the noise keys");
}

} // namespace
