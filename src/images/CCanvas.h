#pragma once
// Drawing on an image through an origin and a clipping rectangle: what objects use to paint
// themselves on the window's back buffer. Coordinates are local (relative to the origin).
#include "images/CImage.h"
#include "images/Font.h"

namespace images
{

class CCanvas
{
public:
    enum TextFlags : unsigned
    {
        kTextLeft = 0,
        kTextCentre = 1,
        kTextVCentre = 4,
        kTextSingleLine = 32,
    };

    // clip is given in the target's coordinates.
    CCanvas(CImage& target, const Rect& clip, Point origin = {});

    // Narrows the clipping rectangle to r (local coordinates).
    void ClipTo(const Rect& r);
    Rect GetClip() const { return clip_.Offset(-origin_.x, -origin_.y); }
    CImage& GetTarget() { return target_; }

    void FillRect(const Rect& r, ColourRef colour);
    // A one-pixel pen outline along the inside of r.
    void FrameRect(const Rect& r, ColourRef pen);
    void DrawImage(const CImage& image, const Rect& src, int x, int y);
    void BlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent);
    void AlphaBlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent = 100);

    void SetTextColour(ColourRef colour) { textColour = colour; }
    // Draws text into r: lines split at line feeds unless single-line; left or centred; with
    // kTextVCentre the block is centred vertically, else it starts at r's top.
    void DrawText(const Font& font, const char* text, const Rect& r, unsigned flags);
    // Width of the widest line and height of all lines.
    static Point MeasureText(const Font& font, const char* text, bool singleLine);

private:
    // Restricts a transfer of src to (x, y) to the clip; false when nothing is left.
    bool ClipTransfer(Rect& src, int& x, int& y) const;

    CImage& target_;
    Rect clip_;
    Point origin_;
    ColourRef textColour = 0;
};

} // namespace images
