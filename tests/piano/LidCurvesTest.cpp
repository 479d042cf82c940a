#include "piano/LidCurves.h"

#include <gtest/gtest.h>

using namespace piano;

TEST(LidCurves, PositionsOutsideZeroToThreeHaveNoCurveAndNoName)
{
    const LidCurves lid;
    EXPECT_EQ(lid.curve(-1), nullptr);
    EXPECT_EQ(lid.curve(4), nullptr);
    EXPECT_EQ(lid.curve(7), nullptr);
    EXPECT_EQ(LidCurves::name(-1), nullptr);
    EXPECT_EQ(LidCurves::name(4), nullptr);
}
