#include "gui/CDeluxeMessageBox.h"

#include <algorithm>
#include <cstdio>

#include "images/CCanvas.h"
#include "platform/native/NativeKeys.h"
#include "platform/native/NativeWindow.h"
#include "resources/Log.h"
#include "resources/StringTable.h"

using namespace images;
using namespace platform;

namespace gui
{

namespace
{
constexpr int kCaptionHeight = 22;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 8;
constexpr int kCheckSize = 13;
constexpr ColourRef kCaptionColour = MakeColourRef(0x20, 0x40, 0x80);
constexpr ColourRef kFace = 0xf0f0f0;
constexpr ColourRef kEdge = 0x808080;
constexpr ColourRef kHot = MakeColourRef(0xe5, 0xf1, 0xfb);

std::string Translate(const char* key)
{
    char text[CDeluxeMessageBox::kMaxText + 1] = {};
    resources::StringTableLookup(key, text, sizeof text);
    return text;
}

std::string Clip(const char* text, size_t max)
{
    std::string s = text ? text : "";
    if (s.size() > max)
        s.resize(max);
    return s;
}
} // namespace

CDeluxeMessageBox::CDeluxeMessageBox(const char* text, const char* caption, unsigned style, bool translate,
                                     bool offerDontAsk)
    : text_(Clip(translate && text ? Translate(text).c_str() : text, kMaxText)),
      caption_(Clip(caption, kMaxCaption)), offerDontAsk_(offerDontAsk), font(Font::Create("Verdana", 13))
{
    switch (style & 0x0f)
    {
    case kOkCancel:
        buttons_ = {{kIdOk, Translate("guitools: msgbox OK")},
                    {kIdCancel, Translate("guitools: msgbox cancel")}};
        break;
    case kYesNoCancel:
        buttons_ = {{kIdYes, Translate("guitools: msgbox yes")},
                    {kIdNo, Translate("guitools: msgbox no")},
                    {kIdCancel, Translate("guitools: msgbox cancel")}};
        break;
    case kYesNo:
        buttons_ = {{kIdYes, Translate("guitools: msgbox yes")}, {kIdNo, Translate("guitools: msgbox no")}};
        break;
    default:
        buttons_ = {{kIdOk, Translate("guitools: msgbox OK")}};
        break;
    }
    if (offerDontAsk_)
        dontAskCaption = Translate("guitools: msgbox dont ask");
}

CDeluxeMessageBox::~CDeluxeMessageBox() = default;

int CDeluxeMessageBox::CancelResult() const
{
    // Cancel where there is one; otherwise the last button (No, or the only OK).
    return buttons_.back().result;
}

void CDeluxeMessageBox::Layout()
{
    const Point text = font ? CCanvas::MeasureText(*font, text_.c_str(), false) : Point{300, 15};
    const int buttonsWidth = static_cast<int>(buttons_.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int checkWidth =
        offerDontAsk_ && font
            ? kCheckSize + 6 + font->MeasureWidth(dontAskCaption.c_str(), dontAskCaption.size())
            : 0;
    const int captionWidth = font ? font->MeasureWidth(caption_.c_str(), caption_.size()) : 0;
    width = std::max(
        {260, text.x + 2 * kMargin, buttonsWidth + checkWidth + 3 * kMargin, captionWidth + 2 * kMargin});
    height = kCaptionHeight + kMargin + text.y + kMargin + kButtonHeight + kMargin;
}

Rect CDeluxeMessageBox::GetButtonRect(size_t index) const
{
    const int n = static_cast<int>(buttons_.size());
    const int left = width - kMargin - n * (kButtonWidth + kButtonGap) + kButtonGap +
                     static_cast<int>(index) * (kButtonWidth + kButtonGap);
    const int top = height - kMargin - kButtonHeight;
    return {left, top, left + kButtonWidth, top + kButtonHeight};
}

Rect CDeluxeMessageBox::GetCheckBoxRect() const
{
    if (!offerDontAsk_)
        return {};
    const int top = height - kMargin - (kButtonHeight + kCheckSize) / 2;
    return {kMargin, top, kMargin + kCheckSize, top + kCheckSize};
}

int CDeluxeMessageBox::ButtonAt(int x, int y) const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (GetButtonRect(i).Contains(x, y))
            return static_cast<int>(i);
    return -1;
}

const CImage& CDeluxeMessageBox::GetPicture()
{
    if (dirty)
        Render();
    return picture_;
}

void CDeluxeMessageBox::Render()
{
    dirty = false;
    Layout();
    if (!picture_.Create(width, height))
        return;
    CCanvas canvas(picture_, picture_.GetRect());
    canvas.FillRect(picture_.GetRect(), kFace);
    canvas.FillRect({0, 0, width, kCaptionHeight}, kCaptionColour);
    canvas.FrameRect(picture_.GetRect(), kEdge);
    const unsigned line = CCanvas::kTextSingleLine | CCanvas::kTextVCentre;
    for (size_t i = 0; i < buttons_.size(); ++i)
    {
        const Rect r = GetButtonRect(i);
        canvas.FillRect(r, static_cast<int>(i) == hot ? kHot : 0xffffff);
        canvas.FrameRect(r, static_cast<int>(i) == 0 ? MakeColourRef(0, 0x78, 0xd7) : kEdge);
        if (font)
        {
            canvas.SetTextColour(0);
            canvas.DrawText(*font, buttons_[i].caption.c_str(), r, line | CCanvas::kTextCentre);
        }
    }
    if (offerDontAsk_)
    {
        const Rect box = GetCheckBoxRect();
        canvas.FillRect(box, 0xffffff);
        canvas.FrameRect(box, kEdge);
        if (dontAsk)
            canvas.FillRect({box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, 0);
        if (font)
            canvas.DrawText(*font, dontAskCaption.c_str(),
                            {box.right + 6, box.top - 4, width, box.bottom + 4}, line);
    }
    if (!font)
        return;
    canvas.SetTextColour(0xffffff);
    canvas.DrawText(*font, caption_.c_str(), {8, 0, width - 8, kCaptionHeight}, line);
    canvas.SetTextColour(0);
    canvas.DrawText(*font, text_.c_str(), {kMargin, kCaptionHeight + kMargin, width - kMargin, height},
                    CCanvas::kTextLeft);
}

bool CDeluxeMessageBox::OnPopupMouse(NativeMouseMessage message, int x, int y)
{
    const int at = ButtonAt(x, y);
    switch (message)
    {
    case NativeMouseMessage::kMove:
        if (at != hot)
        {
            hot = at;
            dirty = true;
        }
        return true;
    case NativeMouseMessage::kLeftDown:
        pressed_ = at;
        if (at < 0 && GetCheckBoxRect().Contains(x, y))
        {
            dontAsk = !dontAsk;
            dirty = true;
        }
        return true;
    case NativeMouseMessage::kLeftUp:
        if (at >= 0 && at == pressed_)
        {
            result_ = buttons_[at].result;
            return false;
        }
        pressed_ = -1;
        return true;
    default:
        return true;
    }
}

bool CDeluxeMessageBox::OnPopupKey(int virtualKey)
{
    if (virtualKey == kVkReturn)
    {
        result_ = hot >= 0 ? buttons_[hot].result : DefaultResult();
        return false;
    }
    if (virtualKey == kVkEscape)
    {
        result_ = CancelResult();
        return false;
    }
    return true;
}

int CDeluxeMessageBox::Show(NativePopup& popup)
{
    result_ = 0;
    hot = pressed_ = -1;
    dirty = true;
    popup.Bell();
    const CImage& picture = GetPicture();
    const Rect work = popup.GetWorkArea();
    popup.RunModal(*this, work.left + (work.Width() - picture.GetWidth()) / 2,
                   work.top + (work.Height() - picture.GetHeight()) / 2);
    // A loop that ended without a choice (the pointer was taken away) counts as cancelling.
    if (result_ == 0)
        result_ = CancelResult();
    return result_;
}

int CDeluxeMessageBox::Show()
{
    std::unique_ptr<NativePopup> popup = CreateStandaloneNativePopup();
    if (!popup)
    {
        resources::LogFormatted("%s: %s", caption_.c_str(), text_.c_str());
        std::fprintf(stderr, "%s: %s\n", caption_.c_str(), text_.c_str());
        std::fflush(stderr);
        return DefaultResult();
    }
    return Show(*popup);
}

int CDeluxeMessageBox::ShowText(const std::string& text, const std::string& caption, unsigned style)
{
    return CDeluxeMessageBox(text.c_str(), caption.c_str(), style).Show();
}

} // namespace gui
