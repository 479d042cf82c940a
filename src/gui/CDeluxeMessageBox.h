#pragma once
// A modal message box drawn by the toolkit: caption, text, the buttons of its style with captions
// from the string table ("guitools: msgbox OK", ...) and an optional "don't ask again" check box.
// Plays the alert sound before showing. Without a display it writes its text to the log and to
// standard error and returns the default button at once, so nothing ever blocks.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "images/CImage.h"
#include "images/Font.h"
#include "platform/native/NativePopup.h"

namespace gui
{

class CDeluxeMessageBox : private platform::NativePopupHandler
{
public:
    // Button sets and icon styles, combined with |.
    enum Style : unsigned
    {
        kOk = 0x00,
        kOkCancel = 0x01,
        kYesNoCancel = 0x03,
        kYesNo = 0x04,
        kIconHand = 0x10,
        kIconQuestion = 0x20,
        kIconExclamation = 0x30,
        kIconAsterisk = 0x40,
    };
    // What Show returns.
    enum Result : int
    {
        kIdOk = 1,
        kIdCancel = 2,
        kIdYes = 6,
        kIdNo = 7
    };
    static constexpr size_t kMaxText = 1023;
    static constexpr size_t kMaxCaption = 259;

    // With translate, messageText is a string-table key.
    CDeluxeMessageBox(const char* messageText, const char* captionText, unsigned style,
                      bool translate = false, bool withDontAsk = false);
    ~CDeluxeMessageBox() override;

    int Show();
    int Show(platform::NativePopup& popup);
    // A flag that, once set from any thread, ends the box as if cancelled within about 100 ms.
    void SetCancelFlag(const std::atomic<bool>* flag) { cancelFlag = flag; }
    bool IsDontAskChecked() const { return dontAsk; }
    const std::string& GetText() const { return text; }
    const images::CImage& GetPicture();
    // Where a button lies on the picture (index in the order shown).
    platform::Rect GetButtonRect(size_t index) const;
    size_t GetButtonCount() const { return buttons.size(); }

    // Suits the instrument's message-box hook: shows a box and returns the pressed button.
    static int ShowText(const std::string& text, const std::string& caption, unsigned style);

private:
    struct Button
    {
        int result;
        std::string caption;
    };
    bool OnPopupMouse(platform::NativeMouseMessage message, int x, int y) override;
    bool OnPopupKey(int virtualKey) override;
    const images::CImage& GetPopupPicture() override { return GetPicture(); }
    bool OnPopupIdle() override;
    void Layout();
    void Render();
    int ButtonAt(int x, int y) const;
    platform::Rect GetCheckBoxRect() const;
    int DefaultResult() const { return buttons.front().result; }
    int CancelResult() const;

    std::string text;
    std::string caption;
    std::string dontAskCaption;
    std::vector<Button> buttons;
    bool offerDontAsk;
    bool dontAsk = false;
    std::unique_ptr<images::Font> font;
    images::CImage picture;
    bool dirty = true;
    int hot = -1;
    int pressed = -1;
    int result = 0;
    const std::atomic<bool>* cancelFlag = nullptr;
    int width = 0;
    int height = 0;
};

} // namespace gui
