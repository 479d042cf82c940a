#include <gtest/gtest.h>

#include "mkbank/CommandLine.h"

using namespace mkbank;

namespace
{

using mkbank::BuildOptions;
using mkbank::CommandLine;
using Result = CommandLine::Result;

struct Parsed
{
    Result result;
    BuildOptions options;
    std::string error;
};

Parsed Parse(const std::vector<std::string>& args)
{
    Parsed parsed;
    CommandLine commandLine;
    parsed.result = commandLine.parse(args, parsed.options);
    parsed.error = commandLine.error();
    return parsed;
}

TEST(CommandLineTest, DefaultsToPresetZeroZeroAndTheProductsFirstTag)
{
    const Parsed p = Parse({"piano.sf2", "out.DAT"});
    ASSERT_EQ(p.result, Result::Build);
    EXPECT_EQ(p.options.source, "piano.sf2");
    EXPECT_EQ(p.options.output, "out.DAT");
    EXPECT_EQ(p.options.bank, 0);
    EXPECT_EQ(p.options.program, 0);
    EXPECT_EQ(p.options.firstTag, sfwriter::FirstTag::Tal);
}

TEST(CommandLineTest, ReadsPresetAndRiffInAnyOrder)
{
    const Parsed p = Parse({"--riff", "in.sf2", "--preset", "16383:127", "out.sf2"});
    ASSERT_EQ(p.result, Result::Build);
    EXPECT_EQ(p.options.bank, 16383);
    EXPECT_EQ(p.options.program, 127);
    EXPECT_EQ(p.options.firstTag, sfwriter::FirstTag::Riff);
    EXPECT_EQ(p.options.source, "in.sf2");
    EXPECT_EQ(p.options.output, "out.sf2");
}

TEST(CommandLineTest, MalformedPresetsAreRefused)
{
    for (const char* text :
         {"1", "a:b", "1:128", "16384:0", ":5", "1:", "-1:0", "1:2:3", "1 :2", "000001:0", ""})
    {
        const Parsed p = Parse({"--preset", text, "a", "b"});
        EXPECT_EQ(p.result, Result::Invalid) << text;
        EXPECT_EQ(p.error, std::string("invalid preset '") + text +
                               "': expected BANK:PROGRAM, bank 0-16383, program 0-127");
    }
}

TEST(CommandLineTest, PresetWithoutValueIsRefused)
{
    const Parsed p = Parse({"a", "b", "--preset"});
    EXPECT_EQ(p.result, Result::Invalid);
    EXPECT_EQ(p.error, "--preset needs BANK:PROGRAM");
}

TEST(CommandLineTest, ExactlyTwoFilesAreNeeded)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"a"}, {"a", "b", "c"}})
    {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.result, Result::Invalid) << args.size();
        EXPECT_EQ(p.error, "expected a source SoundFont and an output file");
    }
}

TEST(CommandLineTest, HelpStopsTheParsing)
{
    EXPECT_EQ(Parse({"--help"}).result, Result::Help);
    EXPECT_EQ(Parse({"a", "-h", "--bogus"}).result, Result::Help);
    EXPECT_NE(CommandLine::usage().find("--preset BANK:PROGRAM"), std::string::npos);
}

} // namespace
