#include "gui/CDeluxeMessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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

TEST(CDeluxeMessageBox, PressAndReleaseOnAButtonReturnsIt)
{
    CDeluxeMessageBox box("Overwrite?", "Virellando", CDeluxeMessageBox::kYesNo);
    box.GetPicture();
    const Rect no = box.GetButtonRect(1);
    HeadlessNativePopup popup;
    HeadlessNativePopup::Script(
        {Click(NativeMouseMessage::kLeftDown, no), Click(NativeMouseMessage::kLeftUp, no)});
    EXPECT_EQ(box.Show(popup), CDeluxeMessageBox::kIdNo);
    EXPECT_EQ(popup.GetBellCount(), 1);
    EXPECT_FALSE(popup.IsShown());
}

TEST(CDeluxeMessageBox, ReleaseOnAnotherButtonDoesNotCount)
{
    CDeluxeMessageBox box("Overwrite?", "Virellando", CDeluxeMessageBox::kOkCancel);
    box.GetPicture();
    HeadlessNativePopup popup;
    HeadlessNativePopup::Script({Click(NativeMouseMessage::kLeftDown, box.GetButtonRect(0)),
                                 Click(NativeMouseMessage::kLeftUp, box.GetButtonRect(1)),
                                 {true, NativeMouseMessage::kMove, 0, 0, kVkReturn}});
    EXPECT_EQ(box.Show(popup), CDeluxeMessageBox::kIdOk);
}

TEST(CDeluxeMessageBox, EscapeCancelsAndADismissedYesNoBoxSaysNo)
{
    CDeluxeMessageBox box("Quit?", "Virellando", CDeluxeMessageBox::kYesNoCancel);
    HeadlessNativePopup popup;
    HeadlessNativePopup::Script({{true, NativeMouseMessage::kMove, 0, 0, kVkEscape}});
    EXPECT_EQ(box.Show(popup), CDeluxeMessageBox::kIdCancel);
    CDeluxeMessageBox yesNo("Quit?", "Virellando", CDeluxeMessageBox::kYesNo);
    HeadlessNativePopup::Script({});
    EXPECT_EQ(yesNo.Show(popup), CDeluxeMessageBox::kIdNo);
}

TEST(CDeluxeMessageBox, ACancelFlagSetFromElsewhereEndsTheBox)
{
    CDeluxeMessageBox box("The sound bank could not be loaded.", "Virellando", CDeluxeMessageBox::kOkCancel);
    box.GetPicture();
    std::atomic<bool> cancel{true};
    box.SetCancelFlag(&cancel);
    HeadlessNativePopup popup;
    // The OK click never comes: the flag ends the box first.
    HeadlessNativePopup::Script({Click(NativeMouseMessage::kLeftDown, box.GetButtonRect(0)),
                                 Click(NativeMouseMessage::kLeftUp, box.GetButtonRect(0))});
    EXPECT_EQ(box.Show(popup), CDeluxeMessageBox::kIdCancel);
    HeadlessNativePopup::Script({});
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

TEST(CDeluxeMessageBox, WithoutADisplayItLogsAndReturnsAtOnce)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    LogCapture log;
    CDeluxeMessageBox box("The sound bank could not be loaded.", "Virellando", CDeluxeMessageBox::kOk);
    EXPECT_EQ(box.Show(), CDeluxeMessageBox::kIdOk);
    EXPECT_NE(log.Text().find("Virellando: The sound bank could not be loaded."), std::string::npos);
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}
