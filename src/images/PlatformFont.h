#pragma once
// Font rasterising through the system's own text renderer (platform::SystemFont), where FreeType is not
// built: the coverage it renders is blended here exactly as FreeType's glyphs are.
#include "images/Font.h"
#include "platform/SystemFont.h"

namespace images
{

class PlatformFont : public Font
{
public:
    bool Open(const char* family, int pixelHeight) { return font.Open(family, pixelHeight); }

    int GetHeight() const override { return font.GetHeight(); }
    int GetAscent() const override { return font.GetAscent(); }
    int MeasureWidth(const char* text, size_t length) const override;
    void DrawLine(CImage& target, const char* text, size_t length, int x, int baselineY,
                  platform::ColourRef colour, const platform::Rect& clip) const override;

private:
    platform::SystemFont font;
};

} // namespace images
