// The English string table shipped beside the plug-in.
#include <algorithm>
#include <cctype>
#include <cstring>

#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "resources/StringTableTesting.h"

namespace
{

const char* const kParameterNames[] = {"VSTParamLid", "VSTHammerAmount",  "VSTReverbAmount", "VSTReverbType",
                                       "VSTVolume",   "VSTVelocityCurve", "VSTSympRes",      "VSTChorus",
                                       "VSTBassEQ",   "VSTMidEQ",         "VSTHighEQ"};

const char* const kOtherKeys[] = {"MediumHall",
                                  "LargeHall",
                                  "Plate",
                                  "Cathedral",
                                  "Room1",
                                  "Room2",
                                  "Room3",
                                  "Very Light",
                                  "Light",
                                  "Normal",
                                  "Heavy",
                                  "Very Heavy",
                                  "ProgramName",
                                  "Build",
                                  "DataLoadFailTitle",
                                  "DataLoadFailBody",
                                  "VSS_WindowTitle",
                                  "VSS_Loading",
                                  "VSS_CopyRights",
                                  "Lid Up Tooltip",
                                  "Lid Down Tooltip",
                                  "Help Tooltip",
                                  "Adjust Button Tooltip",
                                  "Reverb Preset Tooltip",
                                  "Sustain Pedal Tooltip",
                                  "Soft Pedal Tooltip",
                                  "Dialog Close Tooltip",
                                  "Velocity Curve Tooltip",
                                  "DefaultToolTipFont",
                                  "guitools: msgbox OK",
                                  "guitools: msgbox cancel",
                                  "guitools: msgbox yes",
                                  "guitools: msgbox no",
                                  "guitools: msgbox dont ask"};

// The text for key, asked for in small letters: a key without an entry would
// come back as exactly that spelling.
std::string TextOf(const char* key, bool& found)
{
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    char out[1024];
    resources::StringTableLookup(lower.c_str(), out, sizeof out, SHIPPED_STRINGS_PATH);
    found = lower != out && out[0] != '\0';
    return out;
}

TEST(ShippedStrings, EveryKeyHasAText)
{
    for (const char* key : kParameterNames)
    {
        bool found = false;
        TextOf(key, found);
        EXPECT_TRUE(found) << key;
    }
    for (const char* key : kOtherKeys)
    {
        bool found = false;
        TextOf(key, found);
        EXPECT_TRUE(found) << key;
    }
}

TEST(ShippedStrings, ParameterNamesFitTheHostsEightCharacters)
{
    for (const char* key : kParameterNames)
    {
        bool found = false;
        EXPECT_LE(TextOf(key, found).size(), 8u) << key;
    }
}

TEST(ShippedStrings, ProductIsVirellando)
{
    resources::StringTableClearCacheForTesting();
    resources::StringTableSetFile(SHIPPED_STRINGS_PATH);
    EXPECT_EQ(resources::StringTableText("ProgramName"), "Virellando");
    EXPECT_NE(resources::StringTableText("VSS_CopyRights").find("Tallowind"), std::string::npos);
    EXPECT_NE(resources::StringTableText("DataLoadFailBody").find('\n'), std::string::npos);
}

} // namespace
