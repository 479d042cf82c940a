#include "piano/VelocityTable.h"

#include <gtest/gtest.h>

using namespace piano;

TEST(VelocityTable, HeavyCurvesSilenceTheSoftestVelocities)
{
    VelocityTable table;
    table.rebuild(3);
    for (int v = 1; v <= 5; ++v)
        EXPECT_EQ(table.entry(v), 0) << v;
    EXPECT_GT(table.entry(6), 0);
    table.rebuild(4);
    for (int v = 1; v <= 11; ++v)
        EXPECT_EQ(table.entry(v), 0) << v;
    EXPECT_GT(table.entry(12), 0);
}

TEST(VelocityTable, EveryCurveRisesMonotonicallyFromZeroTo127)
{
    VelocityTable table;
    for (int curve = 0; curve < VelocityTable::kCurveCount; ++curve)
    {
        table.rebuild(curve);
        EXPECT_EQ(table.entry(0), 0);
        EXPECT_EQ(table.entry(127), 127);
        for (int v = 1; v < 128; ++v)
            EXPECT_LE(table.entry(v - 1), table.entry(v)) << "curve " << curve << " velocity " << v;
    }
}

TEST(VelocityTable, CurvesAndVelocitiesOutsideTheTableAreClamped)
{
    VelocityTable table;
    VelocityTable veryHeavy;
    veryHeavy.rebuild(4);
    table.rebuild(9);
    EXPECT_EQ(table.curve(), 4);
    EXPECT_EQ(table.entry(64), veryHeavy.entry(64));

    VelocityTable veryLight;
    veryLight.rebuild(0);
    table.rebuild(-1);
    EXPECT_EQ(table.curve(), 0);
    EXPECT_EQ(table.entry(64), veryLight.entry(64));

    EXPECT_STREQ(VelocityTable::curveKey(-3), "Very Light");
    EXPECT_STREQ(VelocityTable::curveKey(2), "Normal");
    EXPECT_STREQ(VelocityTable::curveKey(12), "Very Heavy");
    EXPECT_EQ(table.entry(-5), 0);
    EXPECT_EQ(table.entry(300), 127);
}
