#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"

using namespace gui;
using namespace images;
using namespace platform;

using TWGuiWindowPaint = HeadlessWindowTest;

TEST_F(TWGuiWindowPaint, InitializeFailureIsLoggedAndReported)
{
    LogCapture log;
    headless->FailCreate(true);
    EXPECT_FALSE(window->Initialize(NativeParent{}, 200, 100));
    EXPECT_NE(log.Text().find("TWGuiWindow::Initialize failed!"), std::string::npos);
    EXPECT_EQ(window->GetBackBuffer(), nullptr);
}

TEST_F(TWGuiWindowPaint, DirtyAreaWaitsForTheTickAndOnlyItIsCopied)
{
    ASSERT_TRUE(Open());
    TestObject o("o", 10, 10);
    o.rec.colour = 0x0000ff;
    window->AddChild(&o, 20, 30);
    Tick();
    headless->ClearPresented();
    o.rec.draws.clear();
    const Rect part{2, 3, 6, 8};
    o.Redraw(&part);
    EXPECT_EQ(window->GetDirtyRegion().Bounds(), (Rect{22, 33, 26, 38}));
    EXPECT_TRUE(headless->GetPendingUpdate().IsEmpty());
    headless->ProcessEvents();
    EXPECT_TRUE(headless->GetPresented().empty());
    Tick();
    EXPECT_EQ(headless->GetPresented(), (std::vector<Rect>{{22, 33, 26, 38}}));
    EXPECT_EQ(o.rec.draws, (std::vector<Rect>{part}));
    EXPECT_TRUE(window->GetDirtyRegion().IsEmpty());
    EXPECT_EQ(headless->GetScreen().GetPixel(22, 33), MakePixel(255, 0, 0));
}

TEST_F(TWGuiWindowPaint, FiftyRectanglesAreCopiedOneByOneAndFiftyOneAsTheirBoundingBox)
{
    ASSERT_TRUE(Open());
    for (int i = 0; i < 50; ++i)
        window->InvalidateMainWindow({i * 3, 0, i * 3 + 1, 1});
    Tick();
    EXPECT_EQ(headless->GetPresented().size(), 50u);
    TestObject o("o", 200, 100);
    window->AddChild(&o, 0, 0);
    Tick();
    headless->ClearPresented();
    o.rec.draws.clear();
    for (int i = 0; i < 51; ++i)
    {
        const Rect r{i * 3, i, i * 3 + 1, i + 1};
        o.Redraw(&r);
    }
    Tick();
    EXPECT_EQ(headless->GetPresented(), (std::vector<Rect>{{0, 0, 151, 51}}));
    EXPECT_EQ(o.rec.draws, (std::vector<Rect>{{0, 0, 151, 51}}));
}

TEST_F(TWGuiWindowPaint, OverlayIsRepaintedOnceOverTheChildBeneath)
{
    ASSERT_TRUE(Open());
    TestObject keys("keys", 200, 50);
    TestObject dialog("dialog", 60, 60);
    dialog.SetZOrder(100);
    window->AddChild(&keys, 0, 40);
    window->AddChild(&dialog, 100, 20);
    window->SetOverlayChild(&dialog);
    Tick();
    keys.rec.draws.clear();
    dialog.rec.draws.clear();
    keys.Redraw(nullptr);
    Tick();
    EXPECT_EQ(keys.rec.draws.size(), 1u);
    ASSERT_EQ(dialog.rec.draws.size(), 1u);
    EXPECT_EQ(dialog.rec.draws[0], (Rect{0, 20, 60, 60}));
    EXPECT_EQ(headless->GetScreen().GetPixel(120, 50), PixelFromColourRef(dialog.rec.colour));
}

TEST_F(TWGuiWindowPaint, FloatingChildIsRepaintedOnceWhenAChildBeneathChanges)
{
    ASSERT_TRUE(Open());
    TestContainer panel("panel", 200, 100);
    TestObject a("a", 50, 50), b("b", 50, 50), floating("floating", 30, 30);
    window->AddChild(&panel, 0, 0);
    panel.AddChild(&a, 0, 0);
    panel.AddChild(&b, 60, 0);
    panel.AddFloatingChild(&floating, 40, 10);
    Tick();
    floating.rec.draws.clear();
    a.Redraw(nullptr);
    Tick();
    EXPECT_EQ(floating.rec.draws, (std::vector<Rect>{{0, 0, 10, 30}}));
    floating.rec.draws.clear();
    Tick();
    EXPECT_TRUE(floating.rec.draws.empty());
}

TEST_F(TWGuiWindowPaint, HidingAContainerWithFloatingAndOverlayChildrenRepaintsTheParentOnce)
{
    TestContainer root("root", 200, 100);
    ASSERT_TRUE(Open());
    window->AddChild(&root, 0, 0);
    TestContainer panel("panel", 100, 80);
    TestObject floating("floating", 20, 20), overlay("overlay", 30, 30);
    root.AddChild(&panel, 10, 10);
    panel.AddFloatingChild(&floating, 5, 5);
    panel.AddChild(&overlay, 40, 40);
    panel.SetOverlayChild(&overlay);
    Tick();
    root.rec.draws.clear();
    floating.rec.draws.clear();
    overlay.rec.draws.clear();
    panel.Hide(true);
    Tick();
    EXPECT_EQ(root.rec.draws, (std::vector<Rect>{{10, 10, 110, 90}}));
    EXPECT_TRUE(floating.rec.draws.empty());
    EXPECT_TRUE(overlay.rec.draws.empty());
}

TEST_F(TWGuiWindowPaint, PostedRedrawRunsAfterThePaintUnlessItsObjectIsGone)
{
    ASSERT_TRUE(Open());
    TestObject o("o", 20, 20);
    window->AddChild(&o, 0, 0);
    Tick();
    o.rec.draws.clear();
    o.Redraw(nullptr);
    window->PostRedraw(&o, {0, 0, 5, 5});
    Tick();
    EXPECT_EQ(o.rec.draws.size(), 1u);
    EXPECT_EQ(window->GetDirtyRegion().Bounds(), (Rect{0, 0, 5, 5}));
    Tick();
    EXPECT_EQ(o.rec.draws.size(), 2u);
    {
        TestObject gone("gone", 20, 20);
        window->AddChild(&gone, 0, 0);
        window->PostRedraw(&gone, {0, 0, 5, 5});
    }
    window->InvalidateMainWindow({0, 0, 1, 1});
    Tick();
    EXPECT_TRUE(window->GetDirtyRegion().IsEmpty());
}
