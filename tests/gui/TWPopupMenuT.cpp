#include "gui/TWPopupMenu.h"

#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"
#include "platform/native/NativeKeys.h"

using namespace gui;
using namespace images;
using namespace platform;

namespace
{
HeadlessPopupEvent MouseAt(NativeMouseMessage m, Point p)
{
    return {false, m, p.x, p.y, 0};
}
HeadlessPopupEvent KeyPress(int vk)
{
    return {true, NativeMouseMessage::kMove, 0, 0, vk};
}
Point Centre(const Rect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        menu.AddItem(11, "Small Hall");
        menu.AddItem(12, "Large Hall", true);
        menu.AddSeparator();
        menu.AddItem(13, "Plate", false, false);
        menu.AddItem(14, "Room");
        menu.GetPicture();
    }
    TWPopupMenu menu;
    HeadlessNativePopup popup;
};
} // namespace

TEST_F(MenuTest, SeparatorsAndDisabledItemsCannotBeChosenAndKeysSkipThem)
{
    HeadlessNativePopup::Script({MouseAt(NativeMouseMessage::kLeftUp, Centre(menu.GetItemRect(2))),
                                 MouseAt(NativeMouseMessage::kLeftUp, Centre(menu.GetItemRect(3))),
                                 MouseAt(NativeMouseMessage::kLeftDown, {-5, -5})});
    EXPECT_EQ(menu.Track(popup, 0, 0), TWPopupMenu::kDismissed);
    HeadlessNativePopup::Script(
        {KeyPress(kVkDown), KeyPress(kVkDown), KeyPress(kVkDown), KeyPress(kVkReturn)});
    EXPECT_EQ(menu.Track(popup, 0, 0), 14);
    HeadlessNativePopup::Script({KeyPress(kVkUp), KeyPress(kVkEscape)});
    EXPECT_EQ(menu.Track(popup, 0, 0), TWPopupMenu::kDismissed);
}

TEST_F(MenuTest, TrackingFromAWindowReleasesTheCapture)
{
    auto native = std::make_unique<HeadlessNativeWindow>();
    HeadlessNativeWindow* headless = native.get();
    TWGuiWindow window(std::move(native));
    ASSERT_TRUE(window.Initialize(NativeParent{}, 100, 100));
    TestObject o("o");
    window.AddChild(&o, 0, 0);
    window.SetMouseCapture(&o, false);
    const Point small = Centre(menu.GetItemRect(0));
    HeadlessNativePopup::Script({MouseAt(NativeMouseMessage::kLeftUp, small)});
    EXPECT_EQ(menu.Track(window, 10, 10), 11);
    EXPECT_FALSE(headless->HasCapture());
    EXPECT_EQ(window.GetCaptureObject(), nullptr);
}
