#include "mkdemo/ScoreMidiWriter.h"
#include "mkdemo/ScoreParser.h"
#include "render/MidiFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace mkdemo;
using namespace render;

namespace
{

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string dataDir = VIRELLANDO_DATA_DIR;

} // namespace

TEST(DemoPiece, CommittedFileIsWhatTheScoreCompilesTo)
{
    ScoreParser parser;
    ASSERT_TRUE(parser.parse(readText(dataDir + "/demo-score.txt"))) << parser.error();
    const std::vector<uint8_t> compiled = ScoreMidiWriter::write(parser.score());
    const std::string committed = readText(dataDir + "/demo.mid");
    EXPECT_TRUE(committed == std::string(compiled.begin(), compiled.end()))
        << "data/demo.mid is stale: copy build/data/demo.mid over it";
}

TEST(DemoPiece, PlaysLongEnoughAcrossTheKeyboardAndDynamicRangeAndEndsWithThePedalUp)
{
    MidiFile file;
    ASSERT_TRUE(file.load(dataDir + "/demo.mid")) << file.error();
    EXPECT_GE(file.durationSeconds(), 60.0);
    int lowKey = 127, highKey = 0, softest = 127, loudest = 0, pedalMoves = 0;
    bool pedalDown = false;
    for (const MidiMessage& m : file.messages())
    {
        if (m.isNoteOn())
        {
            lowKey = std::min<int>(lowKey, m.data1);
            highKey = std::max<int>(highKey, m.data1);
            softest = std::min<int>(softest, m.data2);
            loudest = std::max<int>(loudest, m.data2);
        }
        if (m.kind() == 0xB0 && m.data1 == 64)
        {
            ++pedalMoves;
            pedalDown = m.data2 >= 64;
        }
    }
    EXPECT_LE(lowKey, 23) << "reaches down to the A0 region";
    EXPECT_GE(highKey, 105) << "reaches up to the C8 region";
    EXPECT_LE(softest, 24);
    EXPECT_GE(loudest, 116);
    EXPECT_GE(pedalMoves, 20);
    EXPECT_FALSE(pedalDown);
}
