#include "gui/CDeluxeMessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "gui/GuiTestSupport.h"
#include "platform/native/HeadlessNativePopup.h"
#include "platform/native/NativeKeys.h"

using namespace gui;
using namespace images;
using namespace platform;

namespace
{
HeadlessPopupEvent Click(NativeMouseMessage m, const Rect& r)
{
    return {false, m, (r.left + r.right) / 2, (r.top + r.bottom) / 2, 0};
}
} // namespace

TEST(CDeluxeMessageBox, OnlyPressAndReleaseOnOneButtonOrAKeyAnswers)
{
    using Box = CDeluxeMessageBox;
    const HeadlessPopupEvent escape{true, NativeMouseMessage::kMove, 0, 0, kVkEscape},
        enter{true, NativeMouseMessage::kMove, 0, 0, kVkReturn};
    const struct
    {
        Box::Style style;
        int press, release; // buttons clicked, -1 for none
        std::vector<HeadlessPopupEvent> keys;
        int result;
    } cases[] = {
        {Box::kYesNo, 1, 1, {}, Box::kIdNo},
        {Box::kOkCancel, 0, 1, {enter}, Box::kIdOk}, // a release on another button does not count
        {Box::kYesNoCancel, -1, -1, {escape}, Box::kIdCancel},
        {Box::kYesNo, -1, -1, {}, Box::kIdNo}, // dismissed
    };
    for (const auto& c : cases)
    {
        Box box("Overwrite?", "Virellando", c.style);
        box.GetPicture();
        std::deque<HeadlessPopupEvent> script;
        if (c.press >= 0)
            script = {Click(NativeMouseMessage::kLeftDown, box.GetButtonRect(c.press)),
                      Click(NativeMouseMessage::kLeftUp, box.GetButtonRect(c.release))};
        script.insert(script.end(), c.keys.begin(), c.keys.end());
        HeadlessNativePopup popup;
        HeadlessNativePopup::Script(script);
        EXPECT_EQ(box.Show(popup), c.result) << c.style;
        EXPECT_EQ(popup.GetBellCount(), 1);
        EXPECT_FALSE(popup.IsShown());
    }
}

TEST(CDeluxeMessageBox, LongLinesAreBrokenAtSpaces)
{
    const std::string word = "piano ";
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += word;
    text += "\nshort";
    CDeluxeMessageBox box(text.c_str(), "Virellando", CDeluxeMessageBox::kOk);
    const CImage& picture = box.GetPicture();
    EXPECT_LE(picture.GetWidth(), 480);
    const std::string& wrapped = box.GetText();
    EXPECT_GT(std::count(wrapped.begin(), wrapped.end(), '\n'), 2);
    // Only spaces became line breaks: every word is still there, in order.
    std::string joined = wrapped;
    std::replace(joined.begin(), joined.end(), '\n', ' ');
    text.replace(text.find('\n'), 1, " ");
    EXPECT_EQ(joined, text);
}
