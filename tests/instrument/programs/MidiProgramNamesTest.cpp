#include "instrument/programs/MidiProgramNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace instrument;

TEST(MidiProgramNames, NamesAtTheFamilyBoundaries)
{
    EXPECT_STREQ(MidiProgramNames::programName(0), "Acoustic Grand Piano");
    EXPECT_STREQ(MidiProgramNames::programName(7), "Clavi");
    EXPECT_STREQ(MidiProgramNames::programName(8), "Celesta");
    EXPECT_STREQ(MidiProgramNames::programName(24), "Acoustic Guitar (nylon)");
    EXPECT_STREQ(MidiProgramNames::programName(40), "Violin");
    EXPECT_STREQ(MidiProgramNames::programName(56), "Trumpet");
    EXPECT_STREQ(MidiProgramNames::programName(80), "Lead 1 (square)");
    EXPECT_STREQ(MidiProgramNames::programName(104), "Sitar");
    EXPECT_STREQ(MidiProgramNames::programName(119), "Reverse Cymbal");
    EXPECT_STREQ(MidiProgramNames::programName(120), "Guitar Fret Noise");
    EXPECT_STREQ(MidiProgramNames::programName(127), "Gunshot");
}

TEST(MidiProgramNames, AllHundredTwentyEightNamesAreDistinct)
{
    std::set<std::string> names;
    for (int program = 0; program < MidiProgramNames::kProgramCount; ++program)
    {
        const std::string name = MidiProgramNames::programName(program);
        EXPECT_FALSE(name.empty()) << program;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 128u);
}

TEST(MidiProgramNames, ProgramsOutsideTheTableHaveNoName)
{
    EXPECT_STREQ(MidiProgramNames::programName(-1), "");
    EXPECT_STREQ(MidiProgramNames::programName(128), "");
}

TEST(MidiProgramNames, CategoryOfEveryEightPrograms)
{
    EXPECT_EQ(MidiProgramNames::categoryOf(0), 0);
    EXPECT_EQ(MidiProgramNames::categoryOf(7), 0);
    EXPECT_EQ(MidiProgramNames::categoryOf(8), 1);
    EXPECT_EQ(MidiProgramNames::categoryOf(127), 15);
    EXPECT_EQ(MidiProgramNames::categoryOf(128), -1);
    EXPECT_EQ(MidiProgramNames::categoryOf(-1), -1);
    EXPECT_STREQ(MidiProgramNames::categoryName(MidiProgramNames::categoryOf(7)), "Piano");
}

TEST(MidiProgramNames, CategoryNamesAsTheHostShowsThem)
{
    EXPECT_STREQ(MidiProgramNames::categoryName(0), "Piano");
    EXPECT_STREQ(MidiProgramNames::categoryName(10), "Synth Lead");
    EXPECT_STREQ(MidiProgramNames::categoryName(11), "SynthPad");
    EXPECT_STREQ(MidiProgramNames::categoryName(12), "Synth Effects");
    EXPECT_STREQ(MidiProgramNames::categoryName(15), "Effects");
    EXPECT_STREQ(MidiProgramNames::categoryName(16), "DrumSets");
    EXPECT_STREQ(MidiProgramNames::categoryName(17), "");
    EXPECT_STREQ(MidiProgramNames::categoryName(-1), "");
}

TEST(MidiProgramNames, DrumChannelNames)
{
    EXPECT_EQ(MidiProgramNames::kDrumChannel, 9);
    EXPECT_STREQ(MidiProgramNames::drumProgramName(), "Standard");
    EXPECT_STREQ(MidiProgramNames::drumCategoryName(), "Drums");
}
