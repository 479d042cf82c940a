#include "gui/TooltipController.h"

#include <cstring>

#include "images/CCanvas.h"
#include "resources/StringTable.h"

using namespace images;
using namespace platform;

namespace gui
{

TooltipController::TooltipController(NativeWindow& owner, TextSource source, void* userData,
                                     unsigned showDelayMs, unsigned autoHideMs)
    : owner_(owner), source_(source), userData_(userData), showDelay_(showDelayMs), autoHide_(autoHideMs)
{
    popup_ = owner_.CreatePopup();
    char face[256] = {};
    resources::StringTableLookup("DefaultToolTipFont", face, sizeof face);
    font_ = Font::Create(face, 14);
}

void TooltipController::RelayMouse(NativeMouseMessage message, Point windowPoint)
{
    const bool move = message == NativeMouseMessage::kMove;
    if (move && windowPoint.x == last_.x && windowPoint.y == last_.y)
        return;
    last_ = windowPoint;
    // A delay of 1 ms or less means the text follows the pointer (a dragged slider's value).
    if (showDelay_ > 1)
        Hide();
    owner_.KillTimer(kShowTimer);
    owner_.KillTimer(kHideTimer);
    if (move)
        owner_.SetTimer(kShowTimer, showDelay_);
}

bool TooltipController::OnTimer(unsigned id)
{
    if (id == kShowTimer)
    {
        owner_.KillTimer(kShowTimer);
        ShowAtCursor();
        return true;
    }
    if (id == kHideTimer)
    {
        Hide();
        owner_.KillTimer(kHideTimer);
        return true;
    }
    return false;
}

void TooltipController::Hide()
{
    if (popup_)
        popup_->Hide();
}

void TooltipController::ShowAtCursor()
{
    Point cursor;
    if (!owner_.GetCursorPos(cursor) || (foregroundOnly_ && !owner_.IsForeground()))
    {
        Hide();
        return;
    }
    text_[0] = '\0';
    if (!source_ || !source_(userData_, cursor, text_, sizeof text_) || text_[0] == '\0')
    {
        text_[0] = '\0';
        Hide();
        return;
    }
    owner_.SetTimer(kHideTimer, autoHide_);
    Render(MeasureText());
    if (!popup_ || !picture_.IsValid())
        return;
    const Point screen = owner_.ToScreen(cursor);
    const Rect work = popup_->GetWorkArea();
    int x = screen.x, y = screen.y + 32;
    if (x + picture_.GetWidth() > work.right)
        x = work.right - picture_.GetWidth();
    if (y + picture_.GetHeight() > work.bottom)
        y = work.bottom - picture_.GetHeight();
    x = std::max(x, work.left);
    y = std::max(y, work.top);
    popup_->Show(picture_, x, y);
}

Point TooltipController::MeasureText() const
{
    if (!font_)
        return {200, 15};
    return CCanvas::MeasureText(*font_, text_, false);
}

void TooltipController::Render(Point textSize)
{
    if (!picture_.Create(textSize.x + 6, textSize.y + 2))
        return;
    CCanvas canvas(picture_, picture_.GetRect());
    canvas.FillRect(picture_.GetRect(), kBackground);
    canvas.FrameRect(picture_.GetRect(), 0);
    if (!font_)
        return;
    canvas.SetTextColour(0);
    canvas.DrawText(*font_, text_, {3, 1, picture_.GetWidth(), picture_.GetHeight()}, CCanvas::kTextLeft);
}

} // namespace gui
