#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"
#include "gui/TWTimerRegistry.h"

using namespace gui;

using TWGuiWindowTimer = HeadlessWindowTest;

namespace
{
int gFirst = 1, gSecond = 2;
}

TEST_F(TWGuiWindowTimer, ObjectTimersFireWithTheirOwnerDataAndStopByIt)
{
    ASSERT_TRUE(Open());
    TestObject o("o");
    window->AddChild(&o, 0, 0);
    ASSERT_TRUE(o.StartTimer(&gFirst, 100));
    ASSERT_TRUE(o.StartTimer(&gSecond, 250));
    Wait(250);
    EXPECT_EQ(o.rec.timers, (std::vector<void*>{&gFirst, &gFirst, &gSecond}));
    o.StopTimer(&gFirst);
    Wait(250);
    EXPECT_EQ(o.rec.timers, (std::vector<void*>{&gFirst, &gFirst, &gSecond, &gSecond}));
    o.StopTimers();
    Wait(300);
    EXPECT_EQ(o.rec.timers.size(), 4u);
}

TEST_F(TWGuiWindowTimer, TimersStopWithTheirObject)
{
    ASSERT_TRUE(Open());
    unsigned long id = 0;
    {
        TestObject o("o");
        window->AddChild(&o, 0, 0);
        id = TWTimerRegistry::NextId() + 1;
        ASSERT_TRUE(o.StartTimer(nullptr, 50));
        EXPECT_TRUE(headless->IsTimerSet(static_cast<unsigned>(id)));
    }
    EXPECT_FALSE(headless->IsTimerSet(static_cast<unsigned>(id)));
    Wait(200);
}

TEST_F(TWGuiWindowTimer, ContainerDestroyedFirstStopsItsChildrensTimers)
{
    ASSERT_TRUE(Open());
    TestObject child("child");
    {
        TestContainer panel("panel", 50, 50);
        window->AddChild(&panel, 0, 0);
        panel.AddChild(&child, 0, 0);
        ASSERT_TRUE(child.StartTimer(nullptr, 50));
        headless->MoveMouse(5, 5);
        ASSERT_EQ(window->GetHoverObject(), &child);
    }
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(window->GetHoverObject(), nullptr);
    EXPECT_TRUE(window->GetChildren().empty());
    Wait(100);
    EXPECT_TRUE(child.rec.timers.empty());
}
