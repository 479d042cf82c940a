#include "instrument/programs/PresetSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

using namespace instrument;

namespace
{
const char* kConcert = R"(; a comment
[Concert Grand]
lid = Open
hammer = 40
reverb = 30 %
reverb type = Cathedral
volume = 50
velocity curve = Heavy
resonance = 60
chorus = 0
bass = 150
mid = 100
high = 80
)";

std::string withLine(const std::string& text, const std::string& from, const std::string& to)
{
    std::string out = text;
    out.replace(out.find(from), from.size(), to);
    return out;
}

// The settings a host ends on after setting every stored value, as a program change does.
PianoSettings applied(const StoredProgram& program)
{
    PianoSettings s;
    for (int i = 0; i < ParameterTable::kCount; ++i)
        ParameterTable::set(s, i, program.values[i]);
    return s;
}
} // namespace

TEST(PresetSource, StoredValuesLandOnTheWrittenSettings)
{
    PresetSource source;
    ASSERT_TRUE(source.parse(kConcert)) << source.error();
    const PianoSettings s = applied(source.programs()[0]);
    EXPECT_EQ(s.lidPosition, 3);
    EXPECT_EQ(s.reverbType, 3);
    EXPECT_EQ(s.velocityCurve, 3);
    EXPECT_EQ(s.hammerAmount, 0.4f);
    EXPECT_EQ(s.bassGain, 1.5f);
    EXPECT_EQ(s.midGain, 1.0f);
    EXPECT_EQ(s.highGain, 0.8f);
}

TEST(PresetSource, FaultsNameTheirLine)
{
    const struct
    {
        std::string text;
        const char* error;
    } rows[] = {
        {withLine(kConcert, "hammer = 40", "hammer = 101"),
         "line 4: 'hammer' needs a percentage from 0 to 100"},
        {withLine(kConcert, "hammer = 40", "hammer = -1"),
         "line 4: 'hammer' needs a percentage from 0 to 100"},
        {withLine(kConcert, "hammer = 40", "hammer = loud"),
         "line 4: 'hammer' needs a percentage from 0 to 100"},
        {withLine(kConcert, "bass = 150", "bass = 201"), "line 11: 'bass' needs a percentage from 0 to 200"},
        {withLine(kConcert, "lid = Open", "lid = Ajar"), "line 3: 'Ajar' is not a choice for 'lid'"},
        {withLine(kConcert, "chorus = 0", "flanger = 0"), "line 10: unknown key 'flanger'"},
        {withLine(kConcert, "chorus = 0", "volume = 0"), "line 10: 'volume' is given twice"},
        {withLine(kConcert, "chorus = 0\n", ""), "line 12: program 'Concert Grand' does not set 'chorus'"},
        {withLine(kConcert, "[Concert Grand]", "[Concert Grand"),
         "line 2: a program name must be closed by ']'"},
        {withLine(kConcert, "[Concert Grand]", "[ ]"), "line 2: a program name needs 1 to 127 characters"},
        {withLine(kConcert, "[Concert Grand]", "[" + std::string(128, 'x') + "]"),
         "line 2: a program name needs 1 to 127 characters"},
        {withLine(kConcert, "[Concert Grand]", "chorus"), "line 2: expected 'key = value'"},
        {withLine(kConcert, "[Concert Grand]", "lid = Open"),
         "line 2: a value before the first [program name]"},
        {std::string(kConcert) + withLine(kConcert, "[Concert Grand]", "[concert grand]"),
         "line 15: program 'concert grand' is named twice"},
        {"; nothing here\n", "line 1: no programs"},
    };
    for (const auto& row : rows)
    {
        PresetSource source;
        EXPECT_FALSE(source.parse(row.text)) << row.error;
        EXPECT_EQ(source.error(), row.error);
        EXPECT_TRUE(source.programs().empty()) << row.error;
    }
}

TEST(FactoryPresets, ShippedSourceGivesAtLeastEightDistinctPrograms)
{
    std::ifstream in(VIRELLANDO_PRESETS_SOURCE);
    ASSERT_TRUE(in) << VIRELLANDO_PRESETS_SOURCE;
    std::stringstream text;
    text << in.rdbuf();
    PresetSource source;
    ASSERT_TRUE(source.parse(text.str())) << source.error();
    const auto& programs = source.programs();
    EXPECT_GE(programs.size(), 8u);
    std::set<std::string> values;
    for (const StoredProgram& p : programs)
    {
        // Hosts show 24 characters of a program name.
        EXPECT_LT(std::strlen(p.name), 24u) << p.name;
        values.insert(std::string(reinterpret_cast<const char*>(p.values), sizeof p.values));
    }
    EXPECT_EQ(values.size(), programs.size());
}
