#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;

using namespace platform;

namespace
{
// Captures the mouse on a left press and releases it on the left release, like a slider.
class Dragger : public TestObject
{
public:
    Dragger(bool leaveTracking) : TestObject("dragger", 20, 20), trackLeave(leaveTracking) {}
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override
    {
        rec.Mouse(event, posX, posY, keyState);
        if (event == kMouseLeftDown)
            GetWindow()->SetMouseCapture(this, trackLeave);
        if (event == kMouseLeftUp)
            GetWindow()->ReleaseMouseCapture();
        return true;
    }

private:
    bool trackLeave;
};
} // namespace

using TWGuiWindowInput = HeadlessWindowTest;

TEST_F(TWGuiWindowInput, ClickOnADecliningChildFallsThroughToTheOneBelow)
{
    ASSERT_TRUE(Open());
    std::vector<std::string> journal;
    TestObject below("below", 50, 50), above("above", 50, 50);
    below.rec.journal = above.rec.journal = &journal;
    below.rec.handlesMouse = true;
    window->AddChild(&below, 10, 10);
    window->AddChild(&above, 20, 20); // same key: added last, so beneath... unless keyed higher
    above.SetZOrder(40);
    journal.clear();
    headless->Mouse(NativeMouseMessage::kLeftDown, 30, 35);
    // the press's move first (to both, then enter to the new hover object); then the press:
    // above declines, below takes it
    EXPECT_EQ(journal, (std::vector<std::string>{"above", "below", "above", "above", "below"}));
    EXPECT_EQ(above.rec.mouse[1].event, kMouseEnter);
    EXPECT_EQ(below.rec.mouse.back(), (MouseRecord{kMouseLeftDown, 20, 25, 0}));
    EXPECT_EQ(window->GetHoverObject(), &above);
}

TEST_F(TWGuiWindowInput, EnterAndLeaveComeInPairs)
{
    ASSERT_TRUE(Open());
    TestObject a("a", 20, 20), b("b", 20, 20), friendOfA("friend", 1, 1);
    window->AddChild(&a, 0, 0);
    window->AddChild(&b, 50, 0);
    a.SetCompanion(&friendOfA);
    headless->MoveMouse(5, 5);
    headless->MoveMouse(6, 5);
    headless->MoveMouse(55, 5);
    headless->MoveMouse(150, 50);
    EXPECT_EQ(a.rec.MouseEvents(), (std::vector<int>{kMouseMove, kMouseEnter, kMouseMove, kMouseLeave}));
    EXPECT_EQ(friendOfA.rec.MouseEvents(), (std::vector<int>{kMouseEnter, kMouseLeave}));
    EXPECT_EQ(b.rec.MouseEvents(), (std::vector<int>{kMouseMove, kMouseEnter, kMouseLeave}));
    EXPECT_EQ(a.rec.mouse[1], (MouseRecord{kMouseEnter, 5, 5, 0}));
    EXPECT_EQ(window->GetHoverObject(), nullptr);
}

TEST_F(TWGuiWindowInput, LeaveTrackingCaptureEndsWhenThePointerLeaves)
{
    ASSERT_TRUE(Open());
    Dragger button(true);
    window->AddChild(&button, 0, 0);
    headless->Mouse(NativeMouseMessage::kLeftDown, 5, 5);
    EXPECT_TRUE(headless->IsTrackingLeave());
    EXPECT_FALSE(headless->HasCapture());
    headless->LeaveWindow();
    EXPECT_EQ(button.rec.mouse.back().event, kMouseLeave);
    EXPECT_EQ(window->GetCaptureObject(), nullptr);
    EXPECT_EQ(window->GetHoverObject(), nullptr);
    EXPECT_FALSE(headless->IsTrackingLeave());
}

TEST_F(TWGuiWindowInput, KeysGoToCaptureThenHoverThenTheTree)
{
    ASSERT_TRUE(Open());
    std::vector<std::string> journal;
    Dragger captor(false);
    TestObject hovered("hovered", 20, 20), plain("plain", 20, 20);
    captor.rec.journal = hovered.rec.journal = plain.rec.journal = &journal;
    window->AddChild(&captor, 0, 0);
    window->AddChild(&hovered, 50, 0);
    window->AddChild(&plain, 100, 0);
    headless->MoveMouse(55, 5);
    journal.clear();
    headless->SetModifiers(kModifierShift | kModifierControl);
    headless->Key(false, 'K');
    // the hover object, then the window's children in rising order (equal keys: newest first)
    EXPECT_EQ(journal, (std::vector<std::string>{"hovered", "plain", "hovered", "dragger"}));
    EXPECT_EQ(plain.rec.modifierLog.back(), 12u);
    window->SetMouseCapture(&captor, false);
    journal.clear();
    captor.rec.handlesKeys = true;
    headless->Key(true, 'K');
    EXPECT_EQ(journal, (std::vector<std::string>{"dragger"}));
    EXPECT_EQ(captor.rec.keys.back(), kKeyUp * 1000 + 'K');
}

TEST_F(TWGuiWindowInput, DeactivationAndDestructionEndHoverAndCapture)
{
    ASSERT_TRUE(Open());
    {
        Dragger slider(false);
        window->AddChild(&slider, 0, 0);
        headless->Mouse(NativeMouseMessage::kLeftDown, 5, 5);
        window->OnActivate(false);
        const std::vector<int> events = slider.rec.MouseEvents();
        EXPECT_EQ(std::vector<int>(events.end() - 2, events.end()),
                  (std::vector<int>{kMouseLeave, kMouseLeftUp}));
        EXPECT_EQ(window->GetCaptureObject(), nullptr);
        EXPECT_EQ(window->GetHoverObject(), nullptr);
        EXPECT_FALSE(headless->HasCapture());
        headless->Mouse(NativeMouseMessage::kLeftDown, 5, 5);
        ASSERT_EQ(window->GetCaptureObject(), &slider);
    }
    EXPECT_EQ(window->GetCaptureObject(), nullptr);
    EXPECT_EQ(window->GetHoverObject(), nullptr);
    EXPECT_FALSE(headless->HasCapture());
    headless->MoveMouse(6, 6);
}
