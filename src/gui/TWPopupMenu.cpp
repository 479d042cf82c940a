#include "gui/TWPopupMenu.h"

#include <algorithm>

#include "gui/TWGuiWindow.h"
#include "images/CCanvas.h"
#include "platform/native/NativeKeys.h"

using namespace images;
using namespace platform;

namespace gui
{

namespace
{
constexpr int kBorder = 2;
constexpr int kCheckColumn = 22;
constexpr int kRightMargin = 16;
constexpr int kSeparatorHeight = 7;
constexpr int kMinWidth = 80;
const char kCheckMark[] = "\xE2\x9C\x93"; // U+2713
} // namespace

TWPopupMenu::TWPopupMenu() : font(Font::Create("Verdana", 13)) {}

TWPopupMenu::~TWPopupMenu() = default;

void TWPopupMenu::AddItem(int id, const char* text, bool checked, bool enabled)
{
    items.push_back({id, text ? text : "", checked, enabled, false});
    dirty = true;
}

void TWPopupMenu::AddSeparator()
{
    items.push_back({0, "", false, false, true});
    dirty = true;
}

int TWPopupMenu::ItemHeight(const Item& item) const
{
    return item.separator ? kSeparatorHeight : (font ? font->GetHeight() : 15) + 6;
}

void TWPopupMenu::Layout()
{
    int textWidth = 0;
    height = 2 * kBorder;
    for (const Item& item : items)
    {
        if (font && !item.separator)
            textWidth = std::max(textWidth, font->MeasureWidth(item.text.c_str(), item.text.size()));
        height += ItemHeight(item);
    }
    width = std::max(kMinWidth, textWidth + kCheckColumn + kRightMargin + 2 * kBorder);
}

Rect TWPopupMenu::GetItemRect(size_t index) const
{
    int top = kBorder;
    for (size_t i = 0; i < index && i < items.size(); ++i)
        top += ItemHeight(items[i]);
    if (index >= items.size())
        return {};
    return {kBorder, top, width - kBorder, top + ItemHeight(items[index])};
}

int TWPopupMenu::ItemAt(int x, int y) const
{
    for (size_t i = 0; i < items.size(); ++i)
        if (GetItemRect(i).Contains(x, y))
            return static_cast<int>(i);
    return -1;
}

const CImage& TWPopupMenu::GetPicture()
{
    if (dirty)
        Render();
    return picture;
}

void TWPopupMenu::Render()
{
    dirty = false;
    Layout();
    if (!picture.Create(width, height))
        return;
    CCanvas canvas(picture, picture.GetRect());
    canvas.FillRect(picture.GetRect(), kBackground);
    canvas.FrameRect(picture.GetRect(), kFrame);
    for (size_t i = 0; i < items.size(); ++i)
    {
        const Item& item = items[i];
        const Rect r = GetItemRect(i);
        if (item.separator)
        {
            canvas.FillRect({r.left + 2, r.top + 3, r.right - 2, r.top + 4}, kFrame);
            continue;
        }
        const bool isHot = static_cast<int>(i) == hot && item.enabled;
        if (isHot)
            canvas.FillRect(r, kHighlight);
        if (!font)
            continue;
        canvas.SetTextColour(!item.enabled ? kFrame : isHot ? 0xffffff : 0);
        const unsigned flags = CCanvas::kTextSingleLine | CCanvas::kTextVCentre;
        if (item.checked)
            canvas.DrawText(*font, kCheckMark, {r.left, r.top, r.left + kCheckColumn, r.bottom},
                            flags | CCanvas::kTextCentre);
        canvas.DrawText(*font, item.text.c_str(), {r.left + kCheckColumn, r.top, r.right, r.bottom}, flags);
    }
}

void TWPopupMenu::MoveHot(int step)
{
    const int n = static_cast<int>(items.size());
    for (int tries = 0, i = hot; tries < n; ++tries)
    {
        i = ((i < 0 && step < 0 ? n : i) + step + n) % n;
        if (items[i].enabled && !items[i].separator)
        {
            hot = i;
            dirty = true;
            return;
        }
    }
}

bool TWPopupMenu::OnPopupMouse(NativeMouseMessage message, int x, int y)
{
    const int at = ItemAt(x, y);
    if (message == NativeMouseMessage::kMove)
    {
        if (at != hot)
        {
            hot = at;
            dirty = true;
        }
        return true;
    }
    const bool press = message == NativeMouseMessage::kLeftDown || message == NativeMouseMessage::kRightDown;
    if (at < 0)
        return !press; // a press outside dismisses
    if (press)
        return true; // chosen on release, so a press-drag-release works as well
    const Item& item = items[at];
    if (!item.enabled || item.separator)
        return true;
    result = item.id;
    return false;
}

bool TWPopupMenu::OnPopupKey(int virtualKey)
{
    switch (virtualKey)
    {
    case kVkEscape:
        return false;
    case kVkUp:
        MoveHot(-1);
        return true;
    case kVkDown:
        MoveHot(1);
        return true;
    case kVkReturn:
        if (hot < 0 || !items[hot].enabled || items[hot].separator)
            return true;
        result = items[hot].id;
        return false;
    default:
        return true;
    }
}

int TWPopupMenu::Track(NativePopup& popup, int screenX, int screenY)
{
    result = kDismissed;
    hot = -1;
    dirty = true;
    if (items.empty())
        return kDismissed;
    const CImage& image = GetPicture();
    const Rect work = popup.GetWorkArea();
    const int x = std::max(work.left, std::min(screenX, work.right - image.GetWidth()));
    const int y = std::max(work.top, std::min(screenY, work.bottom - image.GetHeight()));
    popup.RunModal(*this, x, y);
    return result;
}

int TWPopupMenu::Track(TWGuiWindow& window, int x, int y)
{
    NativeWindow* native = window.GetNativeWindow();
    if (!native)
        return kDismissed;
    // The menu takes the pointer: whatever held it lets go, as when a system menu opens.
    window.ReleaseMouseCapture();
    std::unique_ptr<NativePopup> popup = native->CreatePopup();
    if (!popup)
        return kDismissed;
    const Point screen = native->ToScreen({x, y});
    const int chosen = Track(*popup, screen.x, screen.y);
    window.UpdateHover();
    return chosen;
}

} // namespace gui
