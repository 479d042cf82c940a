#include "RenderOptionParser.h"

#include "TextAssertions.h"

#include <gtest/gtest.h>

using namespace virellando;
using Outcome = RenderOptionParser::Outcome;

namespace
{

std::vector<std::string> withFiles(std::vector<std::string> options)
{
    options.insert(options.end(), {"Virellando.so", "in.mid", "out.wav"});
    return options;
}

// The error for a command line that must be refused.
std::string refusal(const std::vector<std::string>& args)
{
    RenderOptionParser parser;
    EXPECT_EQ(parser.parse(args), Outcome::Error);
    EXPECT_FALSE(parser.error().empty());
    return parser.error();
}

} // namespace

TEST(RenderOptionParserAccepts, FilesAloneGiveTheDefaults)
{
    RenderOptionParser parser;
    ASSERT_EQ(parser.parse(withFiles({})), Outcome::Render) << parser.error();
    const RenderOptions& o = parser.options();
    EXPECT_EQ(o.pluginPath, "Virellando.so");
    EXPECT_EQ(o.midiPath, "in.mid");
    EXPECT_EQ(o.wavPath, "out.wav");
    EXPECT_EQ(o.sampleRate, 44100u);
    EXPECT_EQ(o.blockSize, 512u);
    EXPECT_EQ(o.program, -1);
    EXPECT_TRUE(o.parameters.empty());
    EXPECT_DOUBLE_EQ(o.tailSeconds, 3.0);
    EXPECT_EQ(o.format, SampleFormat::Float32);
    EXPECT_TRUE(o.showProgress);
}

TEST(RenderOptionParserAccepts, EveryOptionInLongShortAndEqualsForms)
{
    RenderOptionParser parser;
    ASSERT_EQ(parser.parse(withFiles({"--rate", "48000", "-b", "64", "--program=3", "--param", "2=0.4",
                                      "--param=10=1", "--state-in", "a.state", "--state-out=b.state", "-t",
                                      "0.5", "-f", "pcm24", "-q", "--bank-timeout", "10"})),
              Outcome::Render)
        << parser.error();
    const RenderOptions& o = parser.options();
    EXPECT_EQ(o.sampleRate, 48000u);
    EXPECT_EQ(o.blockSize, 64u);
    EXPECT_EQ(o.program, 3);
    ASSERT_EQ(o.parameters.size(), 2u);
    EXPECT_EQ(o.parameters[0].index, 2);
    EXPECT_FLOAT_EQ(o.parameters[0].value, 0.4f);
    EXPECT_EQ(o.parameters[1].index, 10);
    EXPECT_FLOAT_EQ(o.parameters[1].value, 1.0f);
    EXPECT_EQ(o.stateIn, "a.state");
    EXPECT_EQ(o.stateOut, "b.state");
    EXPECT_DOUBLE_EQ(o.tailSeconds, 0.5);
    EXPECT_DOUBLE_EQ(o.bankTimeoutSeconds, 10.0);
    EXPECT_EQ(o.format, SampleFormat::Pcm24);
    EXPECT_FALSE(o.showProgress);
}

TEST(RenderOptionParserRefuses, BadNumbers)
{
    for (const char* bad :
         {"", "44k", "44100.0", "-44100", " 44100", "0x10", "1e5", "7999", "384001", "99999999999999999999"})
        EXPECT_TRUE(mentions(refusal(withFiles({"--rate", bad})), "--rate")) << "'" << bad << "'";
    for (const char* bad : {"0", "65537", "-1", "512b"})
        EXPECT_TRUE(mentions(refusal(withFiles({"--block", bad})), "--block")) << bad;
    for (const char* bad : {"128", "-1", "one"})
        EXPECT_TRUE(mentions(refusal(withFiles({"--program", bad})), "--program")) << bad;
    for (const char* bad : {"-0.1", "601", "nan", "inf", "1s"})
        EXPECT_TRUE(mentions(refusal(withFiles({"--tail", bad})), "--tail")) << bad;
    EXPECT_TRUE(mentions(refusal(withFiles({"--bank-timeout", "0"})), "--bank-timeout"));
}

TEST(RenderOptionParserRefuses, ParameterOutsideItsRanges)
{
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "11=0.5"})), "index"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "-1=0.5"})), "index"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "=0.5"})), "index"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "2=1.01"})), "value"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "2=-0.01"})), "value"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "2=nan"})), "value"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "2="})), "value"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--param", "2:0.4"})), "index=value"));
}

TEST(RenderOptionParserRefuses, UnknownOptionsAndFormats)
{
    EXPECT_TRUE(mentions(refusal(withFiles({"--volume", "1"})), "unknown option --volume"));
    EXPECT_TRUE(mentions(refusal(withFiles({"-x"})), "unknown option -x"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--format", "mp3"})), "mp3"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--quiet=yes"})), "takes no value"));
}

TEST(RenderOptionParserRefuses, MissingValuesAndFiles)
{
    EXPECT_TRUE(mentions(refusal({"a.so", "b.mid", "c.wav", "--rate"}), "--rate needs a value"));
    EXPECT_TRUE(mentions(refusal({"a.so", "b.mid", "c.wav", "--state-out"}), "needs a value"));
    EXPECT_TRUE(mentions(refusal(withFiles({"--state-in="})), "needs a file name"));
    EXPECT_TRUE(mentions(refusal({"a.so", "b.mid"}), "got 2 file names"));
    EXPECT_TRUE(mentions(refusal({}), "got 0 file names"));
    EXPECT_TRUE(mentions(refusal({"a.so", "b.mid", "c.wav", "d.wav"}), "got 4"));
}
