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

TEST(ParameterTable, LidStepsByQuarters)
{
    PianoSettings s;
    const struct
    {
        float value;
        int position;
    } rows[] = {{0.0f, 0}, {0.24f, 0}, {0.25f, 1}, {0.5f, 2}, {0.74f, 2}, {0.75f, 3}, {1.0f, 3}};
    for (const auto& row : rows)
    {
        ParameterTable::set(s, ParameterTable::kLid, row.value);
        EXPECT_EQ(s.lidPosition, row.position) << row.value;
    }
}

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

TEST(ParameterTable, EachParameterWritesItsOwnField)
{
    float PianoSettings::*fields[] = {nullptr,
                                      &PianoSettings::hammerAmount,
                                      &PianoSettings::reverbAmount,
                                      nullptr,
                                      &PianoSettings::volume,
                                      nullptr,
                                      &PianoSettings::sympatheticResonance,
                                      &PianoSettings::chorus,
                                      &PianoSettings::bassGain,
                                      &PianoSettings::midGain,
                                      &PianoSettings::highGain};
    for (int index = 0; index < ParameterTable::kCount; ++index)
    {
        if (fields[index] == nullptr)
        {
            continue;
        }
        PianoSettings s;
        PianoSettings expected;
        ASSERT_TRUE(ParameterTable::set(s, index, 0.125f)) << index;
        expected.*fields[index] = index >= ParameterTable::kBassGain ? 0.25f : 0.125f;
        EXPECT_EQ(std::memcmp(&s, &expected, sizeof s), 0) << index;
    }
}

TEST(ParameterTable, ReverbTypeOneSelectsTheLastPresetAndReportsItsCentre)
{
    PianoSettings s;
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kReverbType, 1.0f));
    EXPECT_EQ(s.reverbType, 6);
    EXPECT_FLOAT_EQ(ParameterTable::reported(s, ParameterTable::kReverbType), 6.0f / 7.0f + 1.0f / 14.0f);
}

TEST(ParameterTable, CurveHalfSelectsNormalAndReportsHalf)
{
    PianoSettings s;
    s.velocityCurve = 0;
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.5f));
    EXPECT_EQ(s.velocityCurve, 2);
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kVelocityCurve), 0.5f);
    ParameterTable::set(s, ParameterTable::kVelocityCurve, 1.0f);
    EXPECT_EQ(s.velocityCurve, 4);
    ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.0f);
    EXPECT_EQ(s.velocityCurve, 0);
}

TEST(ParameterTable, BassHalfIsUnityGainShownAsOneHundred)
{
    const ParameterTable table;
    PianoSettings s;
    s.bassGain = 0.0f;
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kBassGain, 0.5f));
    EXPECT_EQ(s.bassGain, 1.0f);
    EXPECT_EQ(ParameterTable::reported(s, ParameterTable::kBassGain), 0.5f);
    EXPECT_EQ(shown(table, s, ParameterTable::kBassGain), "100");
    ParameterTable::set(s, ParameterTable::kBassGain, 1.0f);
    EXPECT_EQ(shown(table, s, ParameterTable::kBassGain), "200");
}

TEST(ParameterTable, ReportedStepCentresLandOnTheSameStep)
{
    const struct
    {
        int index;
        int steps;
        std::int32_t PianoSettings::*field;
    } stepped[] = {{ParameterTable::kLid, 4, &PianoSettings::lidPosition},
                   {ParameterTable::kReverbType, 7, &PianoSettings::reverbType},
                   {ParameterTable::kVelocityCurve, 5, &PianoSettings::velocityCurve}};
    for (const auto& p : stepped)
    {
        for (int step = 0; step < p.steps; ++step)
        {
            PianoSettings s;
            s.*p.field = step;
            const float value = ParameterTable::reported(s, p.index);
            PianoSettings again;
            again.*p.field = (step + 1) % p.steps;
            ParameterTable::set(again, p.index, value);
            EXPECT_EQ(again.*p.field, step) << "parameter " << p.index;
        }
    }
}

TEST(ParameterTable, ValuesOutsideZeroToOneAndNonFiniteValuesChangeNothing)
{
    for (float bad : {1.5f, -0.1f, kNaN, kInf, -kInf})
    {
        for (int index = 0; index < ParameterTable::kCount; ++index)
        {
            PianoSettings s;
            EXPECT_FALSE(ParameterTable::set(s, index, bad)) << index;
            EXPECT_EQ(std::memcmp(&s, &kFresh, sizeof s), 0) << index;
        }
    }
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

TEST(ParameterTable, PercentagesTruncate)
{
    const ParameterTable table;
    PianoSettings s;
    s.hammerAmount = 0.999f;
    s.volume = 0.0f;
    s.chorus = 1.0f;
    s.reverbAmount = 0.3f;
    EXPECT_EQ(shown(table, s, ParameterTable::kHammerAmount), "99");
    EXPECT_EQ(shown(table, s, ParameterTable::kVolume), "0");
    EXPECT_EQ(shown(table, s, ParameterTable::kChorus), "100");
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbAmount), "30");
    s.highGain = 1.999f;
    EXPECT_EQ(shown(table, s, ParameterTable::kHighGain), "199");
}

TEST(ParameterTable, LidTextsStandAsTheyAre)
{
    const ParameterTable table(tableOf({{"Open", "Offen"}}));
    PianoSettings s;
    const char* names[] = {"Closed", "OpenSome", "OpenMore", "Open"};
    for (int position = 0; position < 4; ++position)
    {
        s.lidPosition = position;
        EXPECT_EQ(shown(table, s, ParameterTable::kLid), names[position]);
    }
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

TEST(ParameterTable, NamesAreLookedUpAndCut)
{
    const ParameterTable table(tableOf({{"VSTParamLid", "Lid"}, {"VSTSympRes", "Resonance"}}));
    char text[16];
    table.name(ParameterTable::kLid, text);
    EXPECT_STREQ(text, "Lid");
    table.name(ParameterTable::kSympatheticResonance, text);
    EXPECT_STREQ(text, "Resonanc");
    table.name(ParameterTable::kVelocityCurve, text);
    EXPECT_STREQ(text, "VSTVeloc");
    std::strcpy(text, "keep");
    table.name(11, text);
    EXPECT_STREQ(text, "keep");
}

TEST(ParameterTable, NameKeysInParameterOrder)
{
    const char* keys[] = {"VSTParamLid", "VSTHammerAmount",  "VSTReverbAmount", "VSTReverbType",
                          "VSTVolume",   "VSTVelocityCurve", "VSTSympRes",      "VSTChorus",
                          "VSTBassEQ",   "VSTMidEQ",         "VSTHighEQ"};
    for (int index = 0; index < ParameterTable::kCount; ++index)
    {
        EXPECT_STREQ(ParameterTable::nameKey(index), keys[index]);
    }
    EXPECT_STREQ(ParameterTable::reverbPresetKey(0), "MediumHall");
    EXPECT_STREQ(ParameterTable::reverbPresetKey(6), "Room3");
    EXPECT_EQ(ParameterTable::reverbPresetKey(7), nullptr);
    EXPECT_EQ(ParameterTable::reverbPresetKey(-1), nullptr);
}

TEST(ParameterTable, LabelIsPercentOnlyForThePercentages)
{
    for (int index = -1; index <= 11; ++index)
    {
        char text[16] = "";
        ParameterTable::label(index, text);
        const bool percent = index >= 0 && index <= 10 && index != 0 && index != 3 && index != 5;
        EXPECT_STREQ(text, percent ? "%" : "") << index;
    }
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
