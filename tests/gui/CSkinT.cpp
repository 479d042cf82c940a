#include "gui/CSkin.h"

#include <gtest/gtest.h>

#include <map>

using namespace gui;
using namespace images;
using namespace platform;

namespace
{
// A skin answering from exact, case-sensitive keys, recording which keys were asked for.
class ExactSkin : public CSkin
{
public:
    std::map<std::string, std::string> values; // "section|key"
    std::vector<std::string> asked;

protected:
    std::string ReadValue(const char* section, const char* key) override
    {
        asked.push_back(key);
        const auto it = values.find(std::string(section) + "|" + key);
        return it == values.end() ? "" : it->second;
    }
};

} // namespace

TEST(CSkin, AChainOfTenResolvesAndElevenDoesNot)
{
    ExactSkin skin;
    for (int i = 1; i < 11; ++i)
        skin.values["A" + std::to_string(i) + "|use"] = "A" + std::to_string(i + 1);
    skin.values["A11|solid color.r"] = "1";
    skin.values["A11|solid color.g"] = "2";
    skin.values["A11|solid color.b"] = "3";
    SkinItemDefinition d;
    EXPECT_TRUE(skin.Resolve("A2", d)); // A2 .. A11: ten levels
    EXPECT_EQ(d.colour, 0x030201u);
    EXPECT_FALSE(skin.Resolve("A1", d));
    EXPECT_EQ(d.kind, kSkinLayered);
}

TEST(CSkin, InvalidComponentsFailTheSolidForm)
{
    ExactSkin skin;
    for (const char* bad : {"256", "-1", "12a", "", " 5", "-"})
    {
        skin.values["C|solid color.r"] = "1";
        skin.values["C|solid color.g"] = bad;
        skin.values["C|solid color.b"] = "1";
        skin.values["C|tiled fn"] = "t.png";
        SkinItemDefinition d;
        ASSERT_TRUE(skin.Resolve("C", d)) << bad;
        EXPECT_EQ(d.kind, kSkinTiledFile) << bad;
    }
}

TEST(CSkin, LayerListEndsAtTheFirstIncompleteLayer)
{
    ExactSkin skin;
    for (const auto& [k, v] : std::map<std::string, std::string>{{"Num Layers", "3"},
                                                                 {"Style.1", "4"},
                                                                 {"Start.R.1", "1"},
                                                                 {"Start.G.1", "2"},
                                                                 {"start.B.1", "3"},
                                                                 {"End.R.1", "0"},
                                                                 {"End.G.1", "0"},
                                                                 {"End.B.1", "0"},
                                                                 {"Num Extra Colors.1", "3"},
                                                                 {"Extra.R.1.1", "9"},
                                                                 {"Extra.G.1.1", "9"},
                                                                 {"Extra.B.1.1", "9"},
                                                                 {"Extra Location.1.1", "500"},
                                                                 {"Extra.R.2.1", "300"},
                                                                 {"Style.2", "20"}})
        skin.values["L|" + k] = v;
    SkinItemDefinition d;
    ASSERT_TRUE(skin.Resolve("L", d));
    ASSERT_EQ(d.layers.size(), 1u);          // style 20 ends the list
    EXPECT_EQ(d.layers[0].stops.size(), 1u); // the second stop's red of 300 ends the stops
}

TEST(CSkin, MissingSkinFileLeavesEveryItemAtTheDefault)
{
    CSkin skin;
    EXPECT_FALSE(skin.Load("/nonexistent/Virellando.SKIN"));
    SkinItemDefinition d;
    EXPECT_FALSE(skin.Resolve("Anything", d));
    EXPECT_FALSE(skin.Resolve("", d));
    EXPECT_FALSE(skin.Resolve(nullptr, d));
    EXPECT_EQ(d.layers.size(), 1u);
}
