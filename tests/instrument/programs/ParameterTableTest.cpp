#include "instrument/programs/ParameterTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <string>

using namespace instrument;

namespace
{
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
        std::snprintf(out, size, "%s", it == texts.end() ? key : it->second.c_str());
    };
}
} // namespace

// The lid is re-applied whenever it is set; every other field only when it changes, including a field a
// damaged chunk left as NaN.
TEST(ParameterTable, ASetReportsAChangeOnlyWhereTheSoundMustFollow)
{
    PianoSettings s;
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kLid, 1.0f));
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kLid, 1.0f));
    EXPECT_FALSE(ParameterTable::set(s, ParameterTable::kVolume, 0.5f));
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVolume, 0.6f));
    EXPECT_FALSE(ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.45f)); // still curve 2
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVelocityCurve, 0.6f));
    EXPECT_EQ(s.velocityCurve, 3);
    s.volume = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(ParameterTable::set(s, ParameterTable::kVolume, 0.5f));
    EXPECT_EQ(s.volume, 0.5f);
}

TEST(ParameterTable, IndicesOutsideTheTableChangeAndWriteNothing)
{
    const PianoSettings fresh;
    PianoSettings s;
    const ParameterTable table;
    for (const int index : {-1, 11})
    {
        EXPECT_FALSE(ParameterTable::set(s, index, 0.5f));
        EXPECT_EQ(ParameterTable::reported(s, index), 0.0f);
        EXPECT_EQ(ParameterTable::nameKey(index), nullptr);
        EXPECT_EQ(shown(table, s, index), std::string(63, '#'));
    }
    EXPECT_EQ(std::memcmp(&s, &fresh, sizeof s), 0);
}

// Texts come from the lookup and are cut to the eight bytes hosts reserve, never inside a character.
TEST(ParameterTable, TextsAreCutToEightBytesBetweenCharacters)
{
    const ParameterTable table(tableOf({{"Cathedral", "Kathedrale"},
                                        {"Heavy", "Schwer"},
                                        {"VSTVolume", "1234567\xC3\x9F"},
                                        {"VSTChorus", "123456\xC3\x9F"}}));
    PianoSettings s;
    s.reverbType = 3;
    s.velocityCurve = 3;
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "Kathedra");
    EXPECT_EQ(shown(table, s, ParameterTable::kVelocityCurve), "Schwer");
    s.reverbType = 0;
    EXPECT_EQ(shown(table, s, ParameterTable::kReverbType), "MediumHa");
    char text[16];
    table.name(ParameterTable::kVolume, text);
    EXPECT_STREQ(text, "1234567");
    table.name(ParameterTable::kChorus, text);
    EXPECT_STREQ(text, "123456\xC3\x9F");
}
