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
// Longer lines of text are broken at spaces, so a long message never runs off the screen.
constexpr int kMaxLineWidth = 440;
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

// Breaks each line that is wider than the limit at its last space that keeps it within the limit.
std::string Wrap(const Font& font, const std::string& text, int limit)
{
    std::string out;
    size_t start = 0;
    while (start <= text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (font.MeasureWidth(line.c_str(), line.size()) > limit)
        {
            size_t cut = line.rfind(' ');
            while (cut != std::string::npos && cut > 0 && font.MeasureWidth(line.c_str(), cut) > limit)
                cut = line.rfind(' ', cut - 1);
            if (cut == std::string::npos || cut == 0)
                break; // one word wider than the limit stays whole
            out += line.substr(0, cut) + "\n";
            line.erase(0, cut + 1);
        }
        out += line;
        if (end < text.size())
            out += "\n";
        start = end + 1;
    }
    return out;
}

std::string Clip(const char* text, size_t max)
{
    std::string s = text ? text : "";
    if (s.size() > max)
        s.resize(max);
    return s;
}
} // namespace

CDeluxeMessageBox::CDeluxeMessageBox(const char* messageText, const char* captionText, unsigned style,
                                     bool translate, bool withDontAsk)
    : text(Clip(translate && messageText ? Translate(messageText).c_str() : messageText, kMaxText)),
      caption(Clip(captionText, kMaxCaption)), offerDontAsk(withDontAsk), font(Font::Create("Verdana", 13))
{
    switch (style & 0x0f)
    {
    case kOkCancel:
        buttons = {{kIdOk, Translate("guitools: msgbox OK")},
                   {kIdCancel, Translate("guitools: msgbox cancel")}};
        break;
    case kYesNoCancel:
        buttons = {{kIdYes, Translate("guitools: msgbox yes")},
                   {kIdNo, Translate("guitools: msgbox no")},
                   {kIdCancel, Translate("guitools: msgbox cancel")}};
        break;
    case kYesNo:
        buttons = {{kIdYes, Translate("guitools: msgbox yes")}, {kIdNo, Translate("guitools: msgbox no")}};
        break;
    default:
        buttons = {{kIdOk, Translate("guitools: msgbox OK")}};
        break;
    }
    if (offerDontAsk)
        dontAskCaption = Translate("guitools: msgbox dont ask");
    if (font)
        text = Wrap(*font, text, kMaxLineWidth);
}

CDeluxeMessageBox::~CDeluxeMessageBox() = default;

bool CDeluxeMessageBox::OnPopupIdle()
{
    if (!cancelFlag || !cancelFlag->load())
        return true;
    result = CancelResult();
    return false;
}

int CDeluxeMessageBox::CancelResult() const
{
    // Cancel where there is one; otherwise the last button (No, or the only OK).
    return buttons.back().result;
}

void CDeluxeMessageBox::Layout()
{
    const Point textSize = font ? CCanvas::MeasureText(*font, text.c_str(), false) : Point{300, 15};
    const int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int checkWidth =
        offerDontAsk && font
            ? kCheckSize + 6 + font->MeasureWidth(dontAskCaption.c_str(), dontAskCaption.size())
            : 0;
    const int captionWidth = font ? font->MeasureWidth(caption.c_str(), caption.size()) : 0;
    width = std::max(
        {260, textSize.x + 2 * kMargin, buttonsWidth + checkWidth + 3 * kMargin, captionWidth + 2 * kMargin});
    height = kCaptionHeight + kMargin + textSize.y + kMargin + kButtonHeight + kMargin;
}

Rect CDeluxeMessageBox::GetButtonRect(size_t index) const
{
    const int n = static_cast<int>(buttons.size());
    const int left = width - kMargin - n * (kButtonWidth + kButtonGap) + kButtonGap +
                     static_cast<int>(index) * (kButtonWidth + kButtonGap);
    const int top = height - kMargin - kButtonHeight;
    return {left, top, left + kButtonWidth, top + kButtonHeight};
}

Rect CDeluxeMessageBox::GetCheckBoxRect() const
{
    if (!offerDontAsk)
        return {};
    const int top = height - kMargin - (kButtonHeight + kCheckSize) / 2;
    return {kMargin, top, kMargin + kCheckSize, top + kCheckSize};
}

int CDeluxeMessageBox::ButtonAt(int x, int y) const
{
    for (size_t i = 0; i < buttons.size(); ++i)
        if (GetButtonRect(i).Contains(x, y))
            return static_cast<int>(i);
    return -1;
}

const CImage& CDeluxeMessageBox::GetPicture()
{
    if (dirty)
        Render();
    return picture;
}

void CDeluxeMessageBox::Render()
{
    dirty = false;
    Layout();
    if (!picture.Create(width, height))
        return;
    CCanvas canvas(picture, picture.GetRect());
    canvas.FillRect(picture.GetRect(), kFace);
    canvas.FillRect({0, 0, width, kCaptionHeight}, kCaptionColour);
    canvas.FrameRect(picture.GetRect(), kEdge);
    const unsigned line = CCanvas::kTextSingleLine | CCanvas::kTextVCentre;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const Rect r = GetButtonRect(i);
        canvas.FillRect(r, static_cast<int>(i) == hot ? kHot : 0xffffff);
        canvas.FrameRect(r, static_cast<int>(i) == 0 ? MakeColourRef(0, 0x78, 0xd7) : kEdge);
        if (font)
        {
            canvas.SetTextColour(0);
            canvas.DrawText(*font, buttons[i].caption.c_str(), r, line | CCanvas::kTextCentre);
        }
    }
    if (offerDontAsk)
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
    canvas.DrawText(*font, caption.c_str(), {8, 0, width - 8, kCaptionHeight}, line);
    canvas.SetTextColour(0);
    canvas.DrawText(*font, text.c_str(), {kMargin, kCaptionHeight + kMargin, width - kMargin, height},
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
        pressed = at;
        if (at < 0 && GetCheckBoxRect().Contains(x, y))
        {
            dontAsk = !dontAsk;
            dirty = true;
        }
        return true;
    case NativeMouseMessage::kLeftUp:
        if (at >= 0 && at == pressed)
        {
            result = buttons[at].result;
            return false;
        }
        pressed = -1;
        return true;
    default:
        return true;
    }
}

bool CDeluxeMessageBox::OnPopupKey(int virtualKey)
{
    if (virtualKey == kVkReturn)
    {
        result = hot >= 0 ? buttons[hot].result : DefaultResult();
        return false;
    }
    if (virtualKey == kVkEscape)
    {
        result = CancelResult();
        return false;
    }
    return true;
}

int CDeluxeMessageBox::Show(NativePopup& popup)
{
    result = 0;
    hot = pressed = -1;
    dirty = true;
    popup.Bell();
    const CImage& image = GetPicture();
    const Rect work = popup.GetWorkArea();
    popup.RunModal(*this, work.left + (work.Width() - image.GetWidth()) / 2,
                   work.top + (work.Height() - image.GetHeight()) / 2);
    // A loop that ended without a choice (the pointer was taken away) counts as cancelling.
    if (result == 0)
        result = CancelResult();
    return result;
}

int CDeluxeMessageBox::Show()
{
    std::unique_ptr<NativePopup> popup = CreateStandaloneNativePopup();
    if (!popup)
    {
        resources::LogFormatted("%s: %s", caption.c_str(), text.c_str());
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
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
