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
    CCanvas(CImage& targetImage, const platform::Rect& clipRect, platform::Point originPoint = {});

    // Narrows the clipping rectangle to r (local coordinates).
    void ClipTo(const platform::Rect& r);
    platform::Rect GetClip() const { return clip.Offset(-origin.x, -origin.y); }
    CImage& GetTarget() { return target; }

    void FillRect(const platform::Rect& r, platform::ColourRef colour);
    // A one-pixel pen outline along the inside of r.
    void FrameRect(const platform::Rect& r, platform::ColourRef pen);
    void DrawImage(const CImage& image, const platform::Rect& src, int x, int y);
    void BlendImage(const CImage& image, const platform::Rect& src, int x, int y, int opacityPercent);
    void AlphaBlendImage(const CImage& image, const platform::Rect& src, int x, int y,
                         int opacityPercent = 100);

    void SetTextColour(platform::ColourRef colour) { textColour = colour; }
    // Draws text into r: lines split at line feeds unless single-line; left or centred; with
    // kTextVCentre the block is centred vertically, else it starts at r's top.
    void DrawText(const Font& font, const char* text, const platform::Rect& r, unsigned flags);
    // Width of the widest line and height of all lines.
    static platform::Point MeasureText(const Font& font, const char* text, bool singleLine);

private:
    // Restricts a transfer of src to (x, y) to the clip; false when nothing is left.
    bool ClipTransfer(platform::Rect& src, int& x, int& y) const;

    CImage& target;
    platform::Rect clip;
    platform::Point origin;
    platform::ColourRef textColour = 0;
};

} // namespace images
