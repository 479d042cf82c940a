#pragma once
// A named font at a pixel height that measures and draws UTF-8 text into images.
#include <memory>

#include "images/Colour.h"
#include "images/Rect.h"

namespace images
{

class CImage;

class Font
{
public:
    virtual ~Font() = default;
    // Opens the best installed match for the family ("Verdana" falls back to a close sans);
    // null when no font can be opened.
    static std::unique_ptr<Font> Create(const char* family, int pixelHeight);

    virtual int GetHeight() const = 0; // line height in pixels
    virtual int GetAscent() const = 0;
    virtual int MeasureWidth(const char* text, size_t length) const = 0;
    // Draws one line with its baseline at y, blending the glyphs' coverage; nothing outside clip.
    virtual void DrawLine(CImage& target, const char* text, size_t length, int x, int baselineY,
                          ColourRef colour, const Rect& clip) const = 0;
};

} // namespace images
