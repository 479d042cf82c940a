#include "mkdemo/ScoreParser.h"
#include "mkdemo/ScoreMidiWriter.h"
#include "render/MidiFile.h"

#include "tools/TextAssertions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace mkdemo;
using namespace render;

namespace
{

Score compiled(const std::string& text)
{
    ScoreParser parser;
    EXPECT_TRUE(parser.parse(text)) << parser.error();
    return parser.score();
}

std::string readData(const std::string& name)
{
    std::ifstream in(std::string(VIRELLANDO_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string refusal(const std::string& text)
{
    ScoreParser parser;
    EXPECT_FALSE(parser.parse(text));
    return parser.error();
}

} // namespace

TEST(ScoreParserTime, BarsMustAddUp)
{
    EXPECT_TRUE(mentions(refusal("bar\nv c4:h\n"), "fills 960 of the bar's 1920 ticks"));
    EXPECT_TRUE(mentions(refusal("bar\nv c4:w d4:q\n"), "runs past the end of bar 1"));
    EXPECT_TRUE(mentions(refusal("bar\nv r:w\npedal down:h\n"), "pedal line does not fill"));
    EXPECT_TRUE(mentions(refusal("bar\nv r:w\ntempo 60:h\n"), "tempo line does not fill"));
    EXPECT_TRUE(mentions(refusal("bar\nv c4:e/3 d4:q\n"), "fills"));
}

TEST(ScoreParserNotes, KeyStruckWhileSoundingIsRefused)
{
    const std::string error = refusal("bar\na c4:w\nb r:h c4:h\n");
    EXPECT_TRUE(mentions(error, "key 60"));
    EXPECT_TRUE(mentions(error, "still held"));
    // Touching is fine: the second voice strikes as the first lets go.
    compiled("bar\na c4:h r:h\nb r:h c4:h\nbar\na c4:w\n");
}

TEST(ScoreMidiWriter, FileReadsBackWithTheScoresTimesAndOrder)
{
    const Score score = compiled("title Test\nbar\ntempo 120\nrh mf c4:q d4 e4 c4\npedal change:h hold:h\n"
                                 "bar\nrh c4:w'\npedal up:w\n");
    const std::vector<uint8_t> bytes = ScoreMidiWriter::write(score);
    MidiFile file;
    ASSERT_TRUE(file.parse(bytes.data(), bytes.size())) << file.error();
    EXPECT_EQ(file.format(), 1);
    EXPECT_EQ(file.trackCount(), 3); // conductor, rh, pedal
    EXPECT_DOUBLE_EQ(file.durationSeconds(), 4.0);

    std::string order;
    for (const MidiMessage& m : file.messages())
    {
        EXPECT_EQ(m.channel(), 0);
        char line[48];
        std::snprintf(line, sizeof line, "%.4f %s%d ", m.seconds,
                      m.isNoteOn() ? "on" : (m.isNoteOff() ? "off" : "cc"),
                      m.isNoteOn() || m.isNoteOff() ? m.data1 : m.data2);
        order += line;
    }
    EXPECT_EQ(order, "0.0000 on60 0.0000 cc0 0.0625 cc127 0.5000 off60 0.5000 on62 1.0000 off62 1.0000 on64 "
                     "1.5000 off64 1.5000 on60 2.0000 off60 2.0000 on60 2.0000 cc0 3.0000 off60 ");
}

TEST(DemoPiece, CommittedFileIsWhatTheScoreCompilesTo)
{
    const Score score = compiled(readData("demo-score.txt"));
    const std::vector<uint8_t> bytes = ScoreMidiWriter::write(score);
    EXPECT_TRUE(readData("demo.mid") == std::string(bytes.begin(), bytes.end()))
        << "data/demo.mid is stale: copy build/data/demo.mid over it";
}
