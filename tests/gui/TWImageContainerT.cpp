#include "gui/TWImageContainer.h"

#include <gtest/gtest.h>

#include "gui/CSkin.h"
#include "gui/GuiTestSupport.h"
#include "gui/ImageManager.h"
#include "gui/SkinTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

class TWImageContainerTest : public HeadlessWindowTest
{
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        image = folder.WritePattern("button.png", 20, 10, 32);
        ASSERT_TRUE(skin.Load(folder
                                  .WriteSkin("[Button]\nimage fn=button.png\n[Same]\nuse=Button\n"
                                             "[Back]\nsolid color.r=0\nsolid color.g=0\nsolid "
                                             "color.b=255\n[Tiles]\ntiled fn=button.png\n")
                                  .c_str()));
    }
    SkinFolder folder;
    CSkin skin;
    ImageManager manager;
    std::string image;
};

TEST_F(TWImageContainerTest, SizesItselfToTheImageAndSharesIt)
{
    auto a = std::make_unique<TWImageContainer>("Button", &manager, &skin, 0, 0, false);
    TWImageContainer b("Same", &manager, &skin, 0, 0, false);
    EXPECT_EQ(a->GetWidth(), 20);
    EXPECT_EQ(a->GetHeight(), 10);
    EXPECT_EQ(a->GetImage(), b.GetImage());
    EXPECT_EQ(manager.GetCount(image.c_str()), 2);
    a.reset();
    EXPECT_EQ(manager.GetCount(image.c_str()), 1);
    EXPECT_EQ(b.GetImage()->GetWidth(), 20);
}

TEST_F(TWImageContainerTest, TransparentContainerBlendsWithPerPixelAlpha)
{
    ASSERT_TRUE(Open());
    TWImageContainer opaque("Button", &manager, &skin, 0, 0, false);
    TWImageContainer blended("Button", &manager, &skin, 0, 0, false);
    blended.SetTransparent(true);
    window->AddChild(&opaque, 0, 0);
    window->AddChild(&blended, 0, 50);
    Tick();
    const PixelBuffer& screen = headless->GetScreen();
    EXPECT_EQ(screen.GetPixel(10, 5), MakePixel(10, 5, 77));
    // alpha 128 over the white window: 10*128/255 + 255*127/255
    EXPECT_EQ(screen.GetPixel(10, 55), MakePixel(132, 130, 166));
}

TEST_F(TWImageContainerTest, SetImageSwitchesAndReleasesTheOldOne)
{
    ASSERT_TRUE(Open());
    TWImageContainer c("Button", &manager, &skin, 0, 0, false);
    window->AddChild(&c, 0, 0);
    Tick();
    c.SetImage("Back");
    EXPECT_EQ(manager.GetCount(image.c_str()), 0);
    EXPECT_FALSE(window->GetDirtyRegion().IsEmpty());
    Tick();
    EXPECT_EQ(headless->GetScreen().GetPixel(5, 5), MakePixel(0, 0, 255));
    c.SetImage(""); // does not resolve: nothing changes
    EXPECT_NE(c.GetImage(), nullptr);
}
