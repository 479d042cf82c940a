#include "guidemo/DemoLabel.h"

#include "images/CCanvas.h"

using namespace images;
using namespace platform;

namespace guidemo
{

DemoLabel::DemoLabel(const Font* labelFont, ColourRef textColour, int widthPx, int heightPx)
    : font(labelFont), colour(textColour)
{
    SetTransparent(true);
    SetAcceptsHover(false);
    SetSize(widthPx, heightPx);
}

void DemoLabel::SetText(const std::string& newText)
{
    if (text == newText)
        return;
    text = newText;
    Redraw();
}

void DemoLabel::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer || !font)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    canvas.SetTextColour(colour);
    canvas.DrawText(*font, text.c_str(), GetLocalRect(), CCanvas::kTextVCentre | CCanvas::kTextSingleLine);
}

} // namespace guidemo
