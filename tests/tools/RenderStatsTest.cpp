#include "RenderStats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace virellando;

TEST(RenderStats, PeakAndRmsOfKnownSignals)
{
    RenderStats stats(1000);
    const std::vector<float> left = {0.5f, -0.5f, 0.5f, -0.5f};
    const std::vector<float> right = {0.5f, 0.5f, -0.5f, -0.25f};
    stats.addBlock(left.data(), right.data(), 4);
    EXPECT_NEAR(stats.peakDbfs(), 20.0 * std::log10(0.5), 1e-9);
    // Seven samples of 0.25 power and one of 0.0625 over eight samples.
    EXPECT_NEAR(stats.rmsDbfs(), 10.0 * std::log10((7 * 0.25 + 0.0625) / 8.0), 1e-9);
    EXPECT_EQ(stats.frames(), 4u);
    EXPECT_DOUBLE_EQ(stats.durationSeconds(), 0.004);
}

TEST(RenderStats, NonFiniteSamplesAreCountedAndLeftOut)
{
    RenderStats stats(44100);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> left = {nan, 0.25f};
    const std::vector<float> right = {-inf, 0.25f};
    stats.addBlock(left.data(), right.data(), 2);
    EXPECT_EQ(stats.nonFiniteSamples(), 2u);
    EXPECT_NEAR(stats.peakDbfs(), 20.0 * std::log10(0.25), 1e-9);
    EXPECT_NE(stats.summary().find("2 samples were NaN or infinite"), std::string::npos) << stats.summary();
}
