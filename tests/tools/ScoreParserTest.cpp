#include "ScoreParser.h"
#include "MidiFile.h"
#include "ScoreMidiWriter.h"

#include "TextAssertions.h"

#include <gtest/gtest.h>

using namespace virellando;

namespace
{

Score compiled(const std::string& text)
{
    ScoreParser parser;
    EXPECT_TRUE(parser.parse(text)) << parser.error();
    return parser.score();
}

std::string refusal(const std::string& text)
{
    ScoreParser parser;
    EXPECT_FALSE(parser.parse(text));
    return parser.error();
}

} // namespace

TEST(ScoreParserPitch, NamesMapToKeysAcrossTheKeyboard)
{
    const Score s = compiled("bar\nv a0:e c4 bb3 c#4 c8 b#3 e#4 fb4\n");
    ASSERT_EQ(s.notes.size(), 8u);
    const int expected[] = {21, 60, 58, 61, 108, 60, 65, 64};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(s.notes[i].key, expected[i]) << i;
}

TEST(ScoreParserPitch, KeysOffThePianoAreRefused)
{
    EXPECT_TRUE(mentions(refusal("bar\nv g#0:w\n"), "g#0"));
    EXPECT_TRUE(mentions(refusal("bar\nv c#8:w\n"), "c#8"));
    EXPECT_TRUE(mentions(refusal("bar\nv h4:w\n"), "h4"));
    EXPECT_TRUE(mentions(refusal("bar\nv c:w\n"), "'c'"));
}

TEST(ScoreParserTime, DurationsDotsTripletsTiesAndRepeats)
{
    // 5/4 at 480 ticks per quarter: q. 720, three e/3 of 160 (the last two repeating it), h+e 1200.
    const Score s = compiled("meter 5/4\nbar\nv c4:q. d4:e/3 e4 f4 g4:h+e\n");
    ASSERT_EQ(s.notes.size(), 5u);
    const uint64_t starts[] = {0, 720, 880, 1040, 1200};
    const uint64_t lengths[] = {720, 160, 160, 160, 1200};
    for (size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(s.notes[i].start, starts[i]) << i;
        EXPECT_EQ(s.notes[i].length, lengths[i]) << i;
    }
    EXPECT_EQ(s.endTick, 2400u);
}

TEST(ScoreParserTime, BarsFollowTheMeter)
{
    const Score s = compiled("meter 6/8\nbar\nv c4:q. d4\nbar\nv e4:e f4:q g4:q.\n");
    ASSERT_EQ(s.notes.size(), 5u);
    EXPECT_EQ(s.notes[1].start, 720u);
    EXPECT_EQ(s.notes[2].start, 1440u);
    EXPECT_EQ(s.notes[4].start, 2160u);
    EXPECT_EQ(s.endTick, 2880u);
}

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

TEST(ScoreParserNotes, ChordsStrikeTogether)
{
    const Score s = compiled("bar\nv [c4 e4 g4]:h [d4 f4]:h\n");
    ASSERT_EQ(s.notes.size(), 5u);
    EXPECT_EQ(s.notes[2].start, 0u);
    EXPECT_EQ(s.notes[2].key, 67);
    EXPECT_EQ(s.notes[3].start, 960u);
}

TEST(ScoreParserPedal, ChangeLiftsOnTheBeatAndPressesJustAfter)
{
    const Score s = compiled("bar\nv r:w\npedal down:q change:h up:q\n");
    ASSERT_EQ(s.pedal.size(), 4u);
    EXPECT_EQ(s.pedal[0].tick, 0u);
    EXPECT_TRUE(s.pedal[0].down);
    EXPECT_EQ(s.pedal[1].tick, 480u);
    EXPECT_FALSE(s.pedal[1].down);
    EXPECT_EQ(s.pedal[2].tick, 540u);
    EXPECT_TRUE(s.pedal[2].down);
    EXPECT_EQ(s.pedal[3].tick, 1440u);
    EXPECT_FALSE(s.pedal[3].down);
    EXPECT_TRUE(mentions(refusal("bar\nv r:w\npedal lift:w\n"), "lift"));
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
