#include "piano/LidCurves.h"

#include <gtest/gtest.h>

using namespace piano;

TEST(LidCurves, FourLowestBandsAreTheSameInEveryPosition)
{
    const LidCurves lid;
    for (int position = 0; position < LidCurves::kPositionCount; ++position)
    {
        const LidCurves::Curve& c = *lid.curve(position);
        EXPECT_EQ(c[0], 0.0);
        EXPECT_EQ(c[1], 3.0);
        EXPECT_EQ(c[2], 7.0);
        EXPECT_EQ(c[3], 4.5);
    }
}

TEST(LidCurves, PositionsOutsideZeroToThreeHaveNoCurveAndNoName)
{
    const LidCurves lid;
    EXPECT_EQ(lid.curve(-1), nullptr);
    EXPECT_EQ(lid.curve(4), nullptr);
    EXPECT_EQ(lid.curve(7), nullptr);
    EXPECT_EQ(LidCurves::name(-1), nullptr);
    EXPECT_EQ(LidCurves::name(4), nullptr);
}
