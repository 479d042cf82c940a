#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

namespace
{
std::vector<std::string> Names(const TWGuiContainer& c)
{
    std::vector<std::string> names;
    for (TWGuiObject* child : c.GetChildren())
    {
        if (auto* o = dynamic_cast<TestObject*>(child))
            names.push_back(o->rec.name);
        if (auto* k = dynamic_cast<TestContainer*>(child))
            names.push_back(k->rec.name);
    }
    return names;
}
} // namespace

TEST(TWGuiContainer, EqualKeysEndInReverseOrderOfAdditionAndHigherKeysSortIn)
{
    TestContainer parent;
    TestObject a("a"), b("b"), top("top"), low("low"), mid("mid");
    top.SetZOrder(100);
    low.SetZOrder(5);
    mid.SetZOrder(50);
    for (TestObject* o : {&a, &b, &top, &low, &mid})
        parent.AddChild(o, 0, 0);
    EXPECT_EQ(Names(parent), (std::vector<std::string>{"low", "b", "a", "mid", "top"}));
    a.SetZOrder(200);
    EXPECT_EQ(Names(parent), (std::vector<std::string>{"low", "b", "mid", "top", "a"}));
    EXPECT_EQ(a.GetParent(), &parent);
}

TEST(TWGuiContainer, RemovalAndDestructionInEitherOrderLeaveNoDanglingLinks)
{
    TestObject a("a"), b("b");
    {
        TestContainer parent;
        parent.AddChild(&a, 0, 0);
        parent.SetOverlayChild(&a);
        parent.RemoveChild(&a);
        EXPECT_EQ(a.GetParent(), nullptr);
        EXPECT_FALSE(parent.HasChild(&a));
        EXPECT_EQ(parent.GetOverlayChild(), nullptr);
        {
            TestObject c("c");
            parent.AddChild(&c, 0, 0);
        }
        EXPECT_TRUE(parent.GetChildren().empty());
        parent.AddChild(&b, 0, 0);
    }
    EXPECT_EQ(b.GetParent(), nullptr);
}

TEST(TWGuiContainer, HitTestNeedsEveryAncestor)
{
    TestContainer outer("outer", 20, 20);
    TestObject leaf("leaf", 10, 10);
    outer.AddChild(&leaf, 15, 15);
    EXPECT_TRUE(leaf.HitTest(2, 2));
    EXPECT_FALSE(leaf.HitTest(7, 7)); // inside the leaf, outside its parent
    EXPECT_EQ(leaf.ClipToVisible({0, 0, 10, 10}), (Rect{0, 0, 5, 5}));
    EXPECT_EQ(leaf.ClipToVisible({6, 6, 10, 10}), Rect{});
}
