#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "mkbank/BankBuilder.h"
#include "mkbank/CommandLine.h"
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

TEST(CommandLine, PresetBoundsOptionsAndFileCount)
{
    const struct
    {
        std::vector<std::string> args;
        CommandLine::Result result;
        uint16_t bank = 0, program = 0;
        sfwriter::FirstTag tag = sfwriter::FirstTag::Tal;
    } cases[] = {
        {{"a.sf2", "b.DAT"}, CommandLine::Result::Build, 0, 0, sfwriter::FirstTag::Tal},
        {{"--riff", "--preset", "16383:127", "a.sf2", "b.DAT"},
         CommandLine::Result::Build,
         16383,
         127,
         sfwriter::FirstTag::Riff},
        {{"--preset", "0:128", "a.sf2", "b.DAT"}, CommandLine::Result::Invalid},
        {{"--preset", "16384:0", "a.sf2", "b.DAT"}, CommandLine::Result::Invalid},
        {{"--preset", "1", "a.sf2", "b.DAT"}, CommandLine::Result::Invalid},
        {{"a.sf2", "b.DAT", "--preset"}, CommandLine::Result::Invalid},
        {{"--tal", "a.sf2", "b.DAT"}, CommandLine::Result::Invalid},
        {{"--riff", "a.sf2"}, CommandLine::Result::Invalid},
        {{"a.sf2", "b.DAT", "c"}, CommandLine::Result::Invalid},
    };
    for (const auto& c : cases)
    {
        BuildOptions options;
        CommandLine commandLine;
        const std::string line = c.args[0] + " " + c.args[1];
        ASSERT_EQ(commandLine.parse(c.args, options), c.result) << line;
        EXPECT_EQ(commandLine.error().empty(), c.result == CommandLine::Result::Build) << line;
        if (c.result != CommandLine::Result::Build)
            continue;
        EXPECT_EQ(options.source, "a.sf2");
        EXPECT_EQ(options.output, "b.DAT");
        EXPECT_EQ(options.bank, c.bank) << line;
        EXPECT_EQ(options.program, c.program) << line;
        EXPECT_EQ(options.firstTag, c.tag) << line;
    }
}

} // namespace
