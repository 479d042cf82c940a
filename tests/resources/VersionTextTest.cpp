#include <gtest/gtest.h>

#include "resources/VersionText.h"

using namespace resources;

namespace
{

TEST(FormatVersionText, MajorAndThirdNumberThenBuild)
{
    EXPECT_EQ(resources::FormatVersionText("Virellando", {1, 0, 0, 1}, "Build"), "Virellando 1.0 Build 1");
    EXPECT_EQ(resources::FormatVersionText("Virellando", {2, 7, 3, 145}, "Build"),
              "Virellando 2.3 Build 145");
    EXPECT_EQ(resources::FormatVersionText("Virellando", {1, 4, 0, 12}, "Version"),
              "Virellando 1.0 Version 12");
}

TEST(FormatVersionText, KeysWithoutTextsStillGiveALine)
{
    EXPECT_EQ(resources::FormatVersionText("ProgramName", {1, 0, 0, 1}, "Build"), "ProgramName 1.0 Build 1");
}

} // namespace
