#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

TEST(TWGuiObject, DirtyListAddsClipsAndClearsParts)
{
    TestObject o("o", 20, 20);
    o.ClearAllDirty();
    const Rect a{5, 5, 30, 10};
    o.AddDirty(&a);
    EXPECT_EQ(o.GetDirtyBounds(), (Rect{5, 5, 20, 10}));
    EXPECT_TRUE(o.HasDirtyIn({0, 0, 6, 6}));
    EXPECT_FALSE(o.HasDirtyIn({0, 0, 5, 5}));
    const Rect left{0, 0, 10, 20};
    o.ClearDirty(&left);
    EXPECT_EQ(o.GetDirtyBounds(), (Rect{10, 5, 20, 10}));
    o.ClearDirty(nullptr);
    EXPECT_EQ(o.GetDirtyBounds(), Rect{});
}

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

TEST(TWGuiObject, PaintIfDirtyDrawsOnlyDirtyObjects)
{
    TestObject o("o", 20, 20);
    o.ClearAllDirty();
    EXPECT_FALSE(o.PaintIfDirty({0, 0, 20, 20}));
    EXPECT_TRUE(o.rec.draws.empty());
    const Rect d{2, 2, 4, 4};
    o.AddDirty(&d);
    EXPECT_TRUE(o.PaintIfDirty({0, 0, 3, 3}));
    ASSERT_EQ(o.rec.draws.size(), 1u);
    EXPECT_EQ(o.rec.draws[0], (Rect{0, 0, 3, 3}));
    EXPECT_TRUE(o.HasDirtyIn({3, 3, 4, 4}));
    EXPECT_FALSE(o.HasDirtyIn({0, 0, 3, 3}));
    o.SetAlwaysPaint(true);
    o.ClearAllDirty();
    EXPECT_TRUE(o.PaintIfDirty({0, 0, 20, 20}));
    o.Hide();
    EXPECT_FALSE(o.PaintIfDirty({0, 0, 20, 20}));
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
