#include "gui/TooltipController.h"

#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

class TooltipTest : public HeadlessWindowTest
{
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        ASSERT_TRUE(Open());
        tipped.rec.tooltip = "Lid up";
        window->AddChild(&tipped, 40, 20);
        window->AddChild(&silent, 120, 20);
    }
    bool Shown() const { return window->GetTooltip()->IsShown(); }
    HeadlessNativePopup* Popup() const { return headless->GetLastPopup(); }

    TestObject tipped{"tipped", 30, 30};
    TestObject silent{"silent", 30, 30};
};

TEST_F(TooltipTest, ShowsTheHoverObjectsTextAfterTheDelayBelowThePointer)
{
    headless->MoveMouse(50, 30);
    Wait(490);
    EXPECT_FALSE(Shown());
    Wait(20);
    ASSERT_TRUE(Shown());
    EXPECT_STREQ(window->GetTooltip()->GetText(), "Lid up");
    ASSERT_NE(Popup(), nullptr);
    // the window sits at (100, 100) on the headless screen; the tip's top is 32 pixels below the pointer
    EXPECT_EQ(Popup()->GetPosition().x, 150);
    EXPECT_EQ(Popup()->GetPosition().y, 162);
    EXPECT_GT(Popup()->GetPicture().GetWidth(), 6);
}

TEST_F(TooltipTest, MovingHidesAndRestartsTheDelay)
{
    headless->MoveMouse(50, 30);
    Wait(510);
    ASSERT_TRUE(Shown());
    headless->MoveMouse(51, 30);
    EXPECT_FALSE(Shown());
    Wait(300);
    headless->MoveMouse(52, 30);
    Wait(300);
    EXPECT_FALSE(Shown());
    Wait(210);
    EXPECT_TRUE(Shown());
}

TEST_F(TooltipTest, ClickHidesWithoutRestartingAndNothingShowsWhileAnotherApplicationHasTheFocus)
{
    headless->MoveMouse(50, 30);
    Wait(510);
    headless->Mouse(NativeMouseMessage::kLeftUp, 50, 30);
    EXPECT_FALSE(Shown());
    Wait(1000);
    EXPECT_FALSE(Shown());
    headless->SetForeground(false);
    headless->MoveMouse(55, 30);
    Wait(600);
    EXPECT_FALSE(Shown());
}
