#include "instrument/programs/ParameterTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <string>

using namespace instrument;

namespace
{
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
const PianoSettings kFresh;

std::string shown(const ParameterTable& table, const PianoSettings& s, int index)
{
    char text[64];
    std::memset(text, '#', sizeof text);
    text[sizeof text - 1] = '\0';
    table.display(s, index, text);
    return text;
}

// A string table stand-in: known keys get their text, unknown keys come back as the key.
ParameterTable::TextLookup tableOf(std::map<std::string, std::string> texts)
{
    return [texts](const char* key, char* out, std::size_t size)
    {
        const auto it = texts.find(key);
        const std::string text = it == texts.end() ? key : it->second;
        std::snprintf(out, size, "%s", text.c_str());
    };
}
} // namespace

TEST(ParameterTable, LidIsMarkedChangedEvenWhenItStays)
{
    PianoSettings s;
    ASSERT_EQ(s.lidPosition, 3);
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kLid, 1.0f));
    EXPECT_EQ(s.lidPosition, 3);
}

TEST(ParameterTable, OtherParametersAreMarkedChangedOnlyWhenTheFieldChanges)
{
    PianoSettings s;
    EXPECT_FALSE(ParameterTable::set(s, ParameterTable::kVolume, 0.5f));
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVolume, 0.6f));
    EXPECT_EQ(s.volume, 0.6f);
    EXPECT_FALSE(ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.45f)); // still curve 2
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.6f));
    EXPECT_EQ(s.velocityCurve, 3);
    EXPECT_FALSE(ParameterTable::set(s, ParameterTable::kMidGain, 0.5f)); // gain 1.0 already
}

TEST(ParameterTable, IndicesOutsideTheTableChangeNothing)
{
    PianoSettings s;
    EXPECT_FALSE(ParameterTable::set(s, 11, 0.5f));
    EXPECT_FALSE(ParameterTable::set(s, -1, 0.5f));
    EXPECT_EQ(std::memcmp(&s, &kFresh, sizeof s), 0);
    EXPECT_EQ(ParameterTable::reported(s, 11), 0.0f);
    EXPECT_EQ(ParameterTable::nameKey(11), nullptr);
    const ParameterTable table;
    EXPECT_EQ(shown(table, s, 11), std::string(63, '#'));
}

TEST(ParameterTable, ReverbAndCurveTextsComeFromTheLookupCutToEightCharacters)
{
    const ParameterTable table(tableOf({{"Cathedral", "Kathedrale"}, {"Heavy", "Schwer"}}));
    PianoSettings s;
    s.reverbType = 3;
    s.velocityCurve = 3;
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "Kathedra");
    EXPECT_EQ(shown(table, s, ParameterTable::kVelocityCurve), "Schwer");
    s.reverbType = 0;
    s.velocityCurve = 4;
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "MediumHa");
    EXPECT_EQ(shown(table, s, ParameterTable::kVelocityCurve), "Very Hea");
}

TEST(ParameterTable, CutNeverSplitsAMultiByteCharacter)
{
    // "1234567" then a two-byte letter: eight bytes would end inside it.
    const ParameterTable table(tableOf({{"VSTVolume", "1234567\xC3\x9F"}, {"VSTChorus", "123456\xC3\x9F"}}));
    char text[16];
    table.name(ParameterTable::kVolume, text);
    EXPECT_STREQ(text, "1234567");
    table.name(ParameterTable::kChorus, text);
    EXPECT_STREQ(text, "123456\xC3\x9F");
}

TEST(ParameterTable, DamagedSteppedFieldsAreShownAsTheNearestStep)
{
    const ParameterTable table;
    PianoSettings s;
    s.lidPosition = 7;
    s.velocityCurve = 9;
    s.reverbType = 12;
    EXPECT_EQ(shown(table, s, ParameterTable::kLid), "Open");
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kLid), 0.875f);
    EXPECT_EQ(shown(table, s, ParameterTable::kVelocityCurve), "Very Hea");
    EXPECT_FLOAT_EQ(ParameterTable::reported(s, ParameterTable::kVelocityCurve), 0.9f);
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "Room3");
    s.lidPosition = -1;
    s.velocityCurve = -1;
    s.reverbType = -3;
    EXPECT_EQ(shown(table, s, ParameterTable::kLid), "Closed");
    EXPECT_EQ(shown(table, s, ParameterTable::kVelocityCurve), "Very Lig");
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "MediumHa");
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kReverbType), 1.0f / 14.0f);
}

TEST(ParameterTable, DamagedFloatFieldsAreReportedInsideZeroToOne)
{
    const ParameterTable table;
    PianoSettings s;
    s.volume = kNaN;
    s.bassGain = kInf;
    s.midGain = -kInf;
    s.highGain = kNaN;
    s.chorus = 7.0f;
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kVolume), 0.5f);
    EXPECT_EQ(shown(table, s, ParameterTable::kVolume), "50");
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kBassGain), 1.0f);
    EXPECT_EQ(shown(table, s, ParameterTable::kBassGain), "200");
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kMidGain), 0.0f);
    EXPECT_EQ(shown(table, s, ParameterTable::kMidGain), "0");
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kHighGain), 0.5f);
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kChorus), 1.0f);
    EXPECT_EQ(shown(table, s, ParameterTable::kChorus), "100");
}

TEST(ParameterTable, SettingReplacesANaNField)
{
    PianoSettings s;
    s.volume = kNaN;
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVolume, 0.5f));
    EXPECT_EQ(s.volume, 0.5f);
}
