#include "gui/TooltipController.h"

#include <cstring>

#include "images/CCanvas.h"
#include "resources/StringTable.h"

using namespace images;
using namespace platform;

namespace gui
{

TooltipController::TooltipController(NativeWindow& ownerWindow, TextSource textSource, void* sourceData,
                                     unsigned showDelayMs, unsigned autoHideMs)
    : owner(ownerWindow), source(textSource), userData(sourceData), showDelay(showDelayMs),
      autoHide(autoHideMs)
{
    popup = owner.CreatePopup();
    char face[256] = {};
    resources::StringTableLookup("DefaultToolTipFont", face, sizeof face);
    font = Font::Create(face, 14);
}

void TooltipController::RelayMouse(NativeMouseMessage message, Point windowPoint)
{
    const bool move = message == NativeMouseMessage::kMove;
    if (move && windowPoint.x == last.x && windowPoint.y == last.y)
        return;
    last = windowPoint;
    // A delay of 1 ms or less means the text follows the pointer (a dragged slider's value).
    if (showDelay > 1)
        Hide();
    owner.KillTimer(kShowTimer);
    owner.KillTimer(kHideTimer);
    if (move)
        owner.SetTimer(kShowTimer, showDelay);
}

bool TooltipController::OnTimer(unsigned id)
{
    if (id == kShowTimer)
    {
        owner.KillTimer(kShowTimer);
        ShowAtCursor();
        return true;
    }
    if (id == kHideTimer)
    {
        Hide();
        owner.KillTimer(kHideTimer);
        return true;
    }
    return false;
}

void TooltipController::Hide()
{
    if (popup)
        popup->Hide();
}

void TooltipController::ShowAtCursor()
{
    Point cursor;
    if (!owner.GetCursorPos(cursor) || (foregroundOnly && !owner.IsForeground()))
    {
        Hide();
        return;
    }
    text[0] = '\0';
    if (!source || !source(userData, cursor, text, sizeof text) || text[0] == '\0')
    {
        text[0] = '\0';
        Hide();
        return;
    }
    owner.SetTimer(kHideTimer, autoHide);
    Render(MeasureText());
    if (!popup || !picture.IsValid())
        return;
    const Point screen = owner.ToScreen(cursor);
    const Rect work = popup->GetWorkArea();
    int x = screen.x, y = screen.y + 32;
    if (x + picture.GetWidth() > work.right)
        x = work.right - picture.GetWidth();
    if (y + picture.GetHeight() > work.bottom)
        y = work.bottom - picture.GetHeight();
    x = std::max(x, work.left);
    y = std::max(y, work.top);
    popup->Show(picture, x, y);
}

Point TooltipController::MeasureText() const
{
    if (!font)
        return {200, 15};
    return CCanvas::MeasureText(*font, text, false);
}

void TooltipController::Render(Point textSize)
{
    if (!picture.Create(textSize.x + 6, textSize.y + 2))
        return;
    CCanvas canvas(picture, picture.GetRect());
    canvas.FillRect(picture.GetRect(), kBackground);
    canvas.FrameRect(picture.GetRect(), 0);
    if (!font)
        return;
    canvas.SetTextColour(0);
    canvas.DrawText(*font, text, {3, 1, picture.GetWidth(), picture.GetHeight()}, CCanvas::kTextLeft);
}

} // namespace gui
