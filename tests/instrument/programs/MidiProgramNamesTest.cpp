#include "instrument/programs/MidiProgramNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace instrument;

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
