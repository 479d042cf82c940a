#include <gtest/gtest.h>

#include "gui/CSkin.h"
#include "gui/SkinTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

TEST(SkinRenderer, TiledFileRepeatsFromTheTopLeftAndCutsTheLastTiles)
{
    SkinFolder folder;
    folder.WritePattern("tile.png", 30, 20);
    CSkin skin;
    ASSERT_TRUE(skin.Load(folder.WriteSkin("[Wood]\ntiled fn=tile.png\n").c_str()));
    SkinItemDefinition d;
    ASSERT_TRUE(skin.Resolve("Wood", d));
    CImage out;
    ASSERT_TRUE(skin.Render(d, 100, 50, out));
    EXPECT_EQ(out.GetWidth(), 100);
    EXPECT_EQ(out.GetHeight(), 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(out.GetPixel(x, y), MakePixel(x % 30, y % 20, 77)) << x << "," << y;
    // 4 tiles across (the last 10 wide) and 3 down (the last 10 high)
    EXPECT_EQ(out.GetPixel(99, 49), MakePixel(9, 9, 77));
    CImage natural;
    ASSERT_TRUE(skin.Render(d, 0, 0, natural));
    EXPECT_EQ(natural.GetWidth(), 30);
}

TEST(SkinRenderer, ResourceIsAFileOfThatNumberBesideTheModule)
{
    SkinFolder folder;
    folder.WritePattern("131.png", 5, 5);
    CSkin skin;
    SkinItemDefinition d;
    d.kind = kSkinResource;
    d.resourceId = 131;
    CImage out;
    ASSERT_TRUE(skin.Render(d, 0, 0, out));
    EXPECT_EQ(out.GetWidth(), 5);
    d.resourceId = 132;
    EXPECT_FALSE(skin.Render(d, 0, 0, out));
}

TEST(SkinRenderer, LayersBlendAtOpacityOrThroughAMask)
{
    CSkin skin;
    SkinItemDefinition d;
    SkinGradientLayer black, white;
    black.start = black.end = 0;
    white.start = white.end = 0xffffff;
    white.opacity = 50;
    d.layers = {black, white};
    CImage out;
    ASSERT_TRUE(skin.Render(d, 11, 1, out));
    EXPECT_EQ(out.GetPixel(0, 0), MakePixel(128, 128, 128));
    d.layers[1].opacity = 0;
    ASSERT_TRUE(skin.Render(d, 11, 1, out));
    EXPECT_EQ(out.GetPixel(0, 0), MakePixel(0, 0, 0));
    d.layers[1].opacity = 100;
    d.layers[1].blendAsGradient = true;
    d.layers[1].blendGradientStyle = 0; // mask from nothing at the left to everything at the right
    ASSERT_TRUE(skin.Render(d, 11, 1, out));
    EXPECT_EQ(out.GetPixel(0, 0), MakePixel(0, 0, 0));
    EXPECT_EQ(out.GetPixel(10, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(out.GetPixel(5, 0), MakePixel(127, 127, 127));
}
