#include "piano/VelocityTable.h"

#include <gtest/gtest.h>

#include <utility>

using namespace piano;

TEST(VelocityTable, HeavyCurvesSilenceTheSoftestVelocities)
{
    VelocityTable table;
    for (const auto& [curve, lastSilent] : {std::pair{3, 5}, std::pair{4, 11}})
    {
        table.rebuild(curve);
        for (int v = 1; v <= lastSilent + 1; ++v)
            EXPECT_EQ(table.entry(v) == 0, v <= lastSilent) << "curve " << curve << " velocity " << v;
    }
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
    for (const auto& [asked, kept] : {std::pair{9, 4}, std::pair{-1, 0}})
    {
        VelocityTable table, inside;
        table.rebuild(asked);
        inside.rebuild(kept);
        EXPECT_EQ(table.curve(), kept);
        EXPECT_EQ(table.entry(64), inside.entry(64)) << asked;
    }
    EXPECT_STREQ(VelocityTable::curveKey(-3), "Very Light");
    EXPECT_STREQ(VelocityTable::curveKey(2), "Normal");
    EXPECT_STREQ(VelocityTable::curveKey(12), "Very Heavy");
    VelocityTable table;
    EXPECT_EQ(table.entry(-5), 0);
    EXPECT_EQ(table.entry(300), 127);
}
