#include "gui/CSkin.h"

#include <gtest/gtest.h>

#include <map>

#include "gui/SkinTestSupport.h"

using namespace gui;
using namespace images;

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

bool SameLayers(const SkinItemDefinition& a, const SkinItemDefinition& b)
{
    if (a.kind != b.kind || a.layers.size() != b.layers.size())
        return false;
    for (size_t i = 0; i < a.layers.size(); ++i)
    {
        const SkinGradientLayer &x = a.layers[i], &y = b.layers[i];
        if (x.style != y.style || x.start != y.start || x.end != y.end || x.stops.size() != y.stops.size())
            return false;
        for (size_t s = 0; s < x.stops.size(); ++s)
            if (x.stops[s].colour != y.stops[s].colour || x.stops[s].location != y.stops[s].location)
                return false;
    }
    return true;
}
} // namespace

TEST(CSkin, DefaultDefinitionIsTheWarmVerticalGradient)
{
    CSkin skin;
    SkinItemDefinition d;
    skin.GetDefaultDefinition(d);
    EXPECT_EQ(d.kind, kSkinLayered);
    ASSERT_EQ(d.layers.size(), 1u);
    EXPECT_EQ(d.layers[0].style, 2);
    EXPECT_EQ(d.layers[0].start, 0xf09d66u);
    EXPECT_EQ(d.layers[0].end, 0xf09d66u);
    ASSERT_EQ(d.layers[0].stops.size(), 4u);
    EXPECT_EQ(d.layers[0].stops[2].colour, 0xfbd6c2u);
    EXPECT_EQ(d.layers[0].stops[2].location, 230);
}

TEST(CSkin, UseNamingItselfEndsInTheDefaultAfterTenLevels)
{
    SkinFolder folder;
    CSkin skin;
    ASSERT_TRUE(skin.Load(folder.WriteSkin("[Loop]\nuse=Loop\n").c_str()));
    SkinItemDefinition d, expected;
    d.kind = kSkinSolidColour;
    EXPECT_FALSE(skin.Resolve("Loop", d));
    skin.GetDefaultDefinition(expected);
    EXPECT_TRUE(SameLayers(d, expected));
}

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

TEST(CSkin, SolidRedIsLowestByte)
{
    SkinFolder folder;
    CSkin skin;
    ASSERT_TRUE(
        skin.Load(folder.WriteSkin("[Red]\nsolid color.r=255\nsolid color.g=0\nsolid color.b=0\n").c_str()));
    SkinItemDefinition d;
    ASSERT_TRUE(skin.Resolve("red", d)); // item names match in any letter case
    EXPECT_EQ(d.kind, kSkinSolidColour);
    EXPECT_EQ(d.colour, 0x0000ffu);
}

TEST(CSkin, MissingBlueFallsBackToTheImageFileMadeAbsolute)
{
    SkinFolder folder;
    folder.WritePattern("lid.png", 4, 4);
    CSkin skin;
    ASSERT_TRUE(skin.Load(folder
                              .WriteSkin("[Lid]\nsolid color.r=255\nsolid color.g=0\nimage "
                                         "fn=lid.png\n[Other]\nimage fn=nowhere.png\n")
                              .c_str()));
    SkinItemDefinition d;
    ASSERT_TRUE(skin.Resolve("Lid", d));
    EXPECT_EQ(d.kind, kSkinImageFile);
    EXPECT_EQ(d.fileName, folder.Path("lid.png"));
    ASSERT_TRUE(skin.Resolve("Other", d));
    EXPECT_EQ(d.fileName, "nowhere.png"); // kept as written when not beside the module
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

TEST(CSkin, ResourceIdMustBePositive)
{
    ExactSkin skin;
    skin.values["R|image res ID"] = "0";
    SkinItemDefinition d;
    EXPECT_FALSE(skin.Resolve("R", d));
    skin.values["R|image res ID"] = "131";
    ASSERT_TRUE(skin.Resolve("R", d));
    EXPECT_EQ(d.kind, kSkinResource);
    EXPECT_EQ(d.resourceId, 131);
}

TEST(CSkin, LayeredItemReadsEveryKey)
{
    SkinFolder folder;
    CSkin skin;
    ASSERT_TRUE(skin.Load(
        folder
            .WriteSkin("[Panel]\nName=Panel\nNotes=first\\nsecond\nNum Layers=2\n"
                       "Opacity.1=-5\nStyle.1=3\nStart.R.1=10\nStart.G.1=20\nstart.B.1=30\n"
                       "End.R.1=40\nEnd.G.1=50\nEnd.B.1=60\nNum Extra Colors.1=2\n"
                       "Extra.R.1.1=1\nExtra.G.1.1=2\nExtra.B.1.1=3\nExtra Location.1.1=700\n"
                       "Extra.R.2.1=4\nExtra.G.2.1=5\nExtra.B.2.1=6\nExtra Location.2.1=200\n"
                       "Opacity.2=40\nStyle.2=8\nBlend As Gradient.2=1\nBlend Gradient Style.2=6\n"
                       "Start.R.2=0\nStart.G.2=0\nstart.B.2=0\nEnd.R.2=255\nEnd.G.2=255\nEnd.B.2=255\n"
                       "Num Extra Colors.2=0\n")
            .c_str()));
    SkinItemDefinition d;
    ASSERT_TRUE(skin.Resolve("Panel", d));
    EXPECT_EQ(d.kind, kSkinLayered);
    EXPECT_EQ(d.name, "Panel");
    EXPECT_EQ(d.notes, "first\nsecond");
    ASSERT_EQ(d.layers.size(), 2u);
    EXPECT_EQ(d.layers[0].opacity, 0);
    EXPECT_EQ(d.layers[0].style, 3);
    EXPECT_EQ(d.layers[0].start, MakeColourRef(10, 20, 30));
    EXPECT_EQ(d.layers[0].end, MakeColourRef(40, 50, 60));
    ASSERT_EQ(d.layers[0].stops.size(), 2u);
    EXPECT_EQ(d.layers[0].stops[0].location, 700); // insertion order kept
    EXPECT_EQ(d.layers[0].stops[1].colour, MakeColourRef(4, 5, 6));
    EXPECT_FALSE(d.layers[0].blendAsGradient);
    EXPECT_EQ(d.layers[1].opacity, 40);
    EXPECT_TRUE(d.layers[1].blendAsGradient);
    EXPECT_EQ(d.layers[1].blendGradientStyle, 6);
}

TEST(CSkin, BlueStartKeyIsSpelledWithALowerCaseS)
{
    ExactSkin skin;
    for (const auto& [k, v] : std::map<std::string, std::string>{{"Num Layers", "1"},
                                                                 {"Style.1", "0"},
                                                                 {"Start.R.1", "1"},
                                                                 {"Start.G.1", "2"},
                                                                 {"Start.B.1", "3"},
                                                                 {"End.R.1", "0"},
                                                                 {"End.G.1", "0"},
                                                                 {"End.B.1", "0"},
                                                                 {"Num Extra Colors.1", "0"}})
        skin.values["G|" + k] = v;
    SkinItemDefinition d;
    // Only the capital-S key is there: it is ignored, so the layer is incomplete.
    EXPECT_FALSE(skin.Resolve("G", d));
    EXPECT_NE(std::find(skin.asked.begin(), skin.asked.end(), "start.B.1"), skin.asked.end());
    EXPECT_EQ(std::find(skin.asked.begin(), skin.asked.end(), "Start.B.1"), skin.asked.end());
    skin.values["G|start.B.1"] = "3";
    ASSERT_TRUE(skin.Resolve("G", d));
    EXPECT_EQ(d.layers[0].start, MakeColourRef(1, 2, 3));
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
