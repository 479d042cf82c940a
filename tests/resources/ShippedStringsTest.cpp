// The English string table shipped beside the plug-in.
#include <algorithm>
#include <cctype>
#include <sstream>

#include <gtest/gtest.h>

#include "resources/StringTable.h"

namespace
{

const char* const kParameterNames[] = {"VSTParamLid", "VSTHammerAmount",  "VSTReverbAmount", "VSTReverbType",
                                       "VSTVolume",   "VSTVelocityCurve", "VSTSympRes",      "VSTChorus",
                                       "VSTBassEQ",   "VSTMidEQ",         "VSTHighEQ"};

// The other keys the plug-in asks for, separated by '|'.
const char kOtherKeys[] =
    "MediumHall|LargeHall|Plate|Cathedral|Room1|Room2|Room3|Very Light|Light|Normal|Heavy|"
    "Very Heavy|ProgramName|Build|DataLoadFailTitle|DataLoadFailBody|VSS_WindowTitle|"
    "VSS_Loading|VSS_CopyRights|Lid Up Tooltip|Lid Down Tooltip|Help Tooltip|"
    "Adjust Button Tooltip|Reverb Preset Tooltip|Sustain Pedal Tooltip|Soft Pedal Tooltip|"
    "Dialog Close Tooltip|Velocity Curve Tooltip|DefaultToolTipFont|guitools: msgbox OK|"
    "guitools: msgbox cancel|guitools: msgbox yes|guitools: msgbox no|guitools: msgbox dont ask";

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

// Every key has a text, and the parameter names fit the host's eight characters.
TEST(ShippedStrings, EveryKeyHasATextAndParameterNamesFitEightCharacters)
{
    for (const char* key : kParameterNames)
    {
        bool found = false;
        EXPECT_LE(TextOf(key, found).size(), 8u) << key;
        EXPECT_TRUE(found) << key;
    }
    std::istringstream others(kOtherKeys);
    for (std::string key; std::getline(others, key, '|');)
    {
        bool found = false;
        TextOf(key.c_str(), found);
        EXPECT_TRUE(found) << key;
    }
}

} // namespace
