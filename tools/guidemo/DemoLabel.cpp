#include "guidemo/DemoLabel.h"

#include "images/CCanvas.h"

using namespace images;
using namespace platform;

namespace guidemo
{

DemoLabel::DemoLabel(const Font* font, ColourRef colour, int widthPx, int heightPx)
    : font_(font), colour_(colour)
{
    SetTransparent(true);
    SetAcceptsHover(false);
    SetSize(widthPx, heightPx);
}

void DemoLabel::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    Redraw();
}

void DemoLabel::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer || !font_)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    canvas.SetTextColour(colour_);
    canvas.DrawText(*font_, text_.c_str(), GetLocalRect(), CCanvas::kTextVCentre | CCanvas::kTextSingleLine);
}

} // namespace guidemo
