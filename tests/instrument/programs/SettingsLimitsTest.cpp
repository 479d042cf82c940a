#include "instrument/programs/SettingsLimits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace instrument;

TEST(SettingsLimits, AValidRecordIsLeftBitForBit)
{
    PianoSettings s;
    s.lidPosition = 0;
    s.volume = 1.0f;
    s.bassGain = 2.0f;
    s.midGain = 0.0f;
    s.velocityCurve = 4;
    s.reverbType = 6;
    const PianoSettings out = SettingsLimits::repaired(s);
    EXPECT_EQ(std::memcmp(&out, &s, sizeof s), 0);
}

TEST(SettingsLimits, ADamagedRecordComesBackInsideItsRanges)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PianoSettings s;
    s.recordTag = 77;
    s.lidPosition = 7;
    s.volume = nan;
    s.chorus = -inf;
    s.reverbAmount = 3.0f;
    s.hammerAmount = -0.5f;
    s.sympatheticResonance = nan;
    s.bassGain = 9.0f;
    s.midGain = nan;
    s.highGain = -1.0f;
    s.velocityCurve = -1;
    s.reverbType = 12;
    const PianoSettings out = SettingsLimits::repaired(s);
    EXPECT_EQ(out.recordTag, 77);
    EXPECT_EQ(out.lidPosition, 3);
    EXPECT_EQ(out.volume, 0.5f);
    EXPECT_EQ(out.chorus, 0.0f);
    EXPECT_EQ(out.reverbAmount, 1.0f);
    EXPECT_EQ(out.hammerAmount, 0.0f);
    EXPECT_EQ(out.sympatheticResonance, 0.5f);
    EXPECT_EQ(out.bassGain, 2.0f);
    EXPECT_EQ(out.midGain, 1.0f);
    EXPECT_EQ(out.highGain, 0.0f);
    EXPECT_EQ(out.velocityCurve, 0);
    EXPECT_EQ(out.reverbType, 6);
}
