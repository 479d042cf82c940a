#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

TEST(TWGuiObject, SimpleDirtyClearsOnlyWhenWhollyPainted)
{
    TestObject o("o", 20, 20);
    o.UseSimpleDirty();
    const Rect part{0, 0, 5, 5};
    o.AddDirty(&part);
    EXPECT_EQ(o.GetDirtyBounds(), (Rect{0, 0, 20, 20}));
    EXPECT_TRUE(o.HasDirtyIn({15, 15, 16, 16}));
    o.ClearDirty(&part);
    EXPECT_TRUE(o.HasDirtyIn({15, 15, 16, 16}));
    const Rect all{-5, -5, 40, 40};
    o.ClearDirty(&all);
    EXPECT_FALSE(o.HasDirtyIn({0, 0, 20, 20}));
}

TEST(TWGuiObject, RedrawOfATransparentChildRedrawsTheParentArea)
{
    TestContainer parent("parent", 100, 100);
    TestObject child("child", 10, 10);
    parent.AddChild(&child, 30, 40);
    parent.ClearAllDirty();
    child.ClearAllDirty();
    child.SetTransparent(true);
    const Rect r{2, 3, 5, 6};
    child.Redraw(&r);
    EXPECT_EQ(child.GetDirtyBounds(), r);
    EXPECT_EQ(parent.GetDirtyBounds(), (Rect{32, 43, 35, 46}));
    child.SetTransparent(false);
    parent.ClearAllDirty();
    child.Redraw(nullptr);
    EXPECT_EQ(parent.GetDirtyBounds(), Rect{});
}

TEST(TWGuiObject, GrowingRedrawsTheNewStripWhileShrinkingAndHidingGiveTheAreaToTheParent)
{
    TestContainer parent("parent", 100, 100);
    TestObject o("o", 10, 10);
    parent.AddChild(&o, 20, 20);
    o.ClearAllDirty();
    parent.ClearAllDirty();
    o.SetSize(15, 10);
    EXPECT_EQ(o.GetDirtyBounds(), (Rect{10, 0, 15, 10}));
    o.ClearAllDirty();
    o.SetSize(15, 4);
    EXPECT_EQ(o.GetDirtyBounds(), Rect{});
    EXPECT_EQ(parent.GetDirtyBounds(), (Rect{20, 24, 35, 30}));
    parent.ClearAllDirty();
    o.Redraw(nullptr);
    o.Hide();
    EXPECT_EQ(parent.GetDirtyBounds(), (Rect{20, 20, 35, 24}));
    EXPECT_EQ(o.GetDirtyBounds(), Rect{});
    o.Show();
    EXPECT_EQ(o.GetDirtyBounds(), (Rect{0, 0, 15, 4}));
}
