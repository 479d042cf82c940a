#include "piano/LidCurves.h"

#include <gtest/gtest.h>

using namespace piano;

TEST(LidCurves, ClosedAndOpenRowsAreTheTabledGains)
{
    const LidCurves lid;
    const LidCurves::Curve closed = {0, 3, 7, 4.5, -1, -2.5, -3.5, -7, -7, -6};
    const LidCurves::Curve open = {0, 3, 7, 4.5, 2, 1.5, 1.5, 0, 0, 2};
    ASSERT_NE(lid.curve(0), nullptr);
    ASSERT_NE(lid.curve(3), nullptr);
    EXPECT_EQ(*lid.curve(0), closed);
    EXPECT_EQ(*lid.curve(3), open);
}

TEST(LidCurves, MiddleRowsAreExactThirdsBetweenClosedAndOpen)
{
    const LidCurves lid;
    const LidCurves::Curve& some = *lid.curve(1);
    const LidCurves::Curve& more = *lid.curve(2);
    EXPECT_DOUBLE_EQ(some[4], 0.0);
    EXPECT_EQ(some[5], -1.1666666666666667);
    EXPECT_EQ(some[6], -1.8333333333333335);
    EXPECT_EQ(some[7], -4.666666666666667);
    EXPECT_EQ(some[8], -4.666666666666667);
    EXPECT_EQ(some[9], -3.3333333333333335);
    EXPECT_EQ(more[4], 1.0);
    // Rounding of 2/3 shows in the last bits; the equaliser gets exactly these values.
    EXPECT_EQ(more[5], 0.16666666666666652);
    EXPECT_EQ(more[6], -0.16666666666666696);
    EXPECT_EQ(more[7], -2.333333333333334);
    EXPECT_EQ(more[8], -2.333333333333334);
    EXPECT_EQ(more[9], -0.666666666666667);
}

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

TEST(LidCurves, NamesInPositionOrder)
{
    EXPECT_STREQ(LidCurves::name(0), "Closed");
    EXPECT_STREQ(LidCurves::name(1), "OpenSome");
    EXPECT_STREQ(LidCurves::name(2), "OpenMore");
    EXPECT_STREQ(LidCurves::name(3), "Open");
}
