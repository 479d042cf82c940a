#include "images/PlatformFont.h"

#include <string>
#include <vector>

#include "images/CImage.h"
#include "images/Utf8.h"

using namespace platform;

namespace images
{

std::unique_ptr<Font> Font::Create(const char* family, int pixelHeight)
{
    auto font = std::make_unique<PlatformFont>();
    if (!font->Open(family, pixelHeight))
        return nullptr;
    return font;
}

int PlatformFont::MeasureWidth(const char* text, size_t length) const
{
    return font.MeasureWidth(ToUtf16(text, length));
}

void PlatformFont::DrawLine(CImage& target, const char* text, size_t length, int x, int baselineY,
                            ColourRef colour, const Rect& clip) const
{
    std::vector<uint8_t> coverage;
    int width = 0, originX = 0;
    if (!font.Render(ToUtf16(text, length), coverage, width, originX))
        return;
    const Rect area = Intersect(clip, target.GetRect());
    const uint32_t ink = PixelFromColourRef(colour);
    const int left = x - originX;
    const int top = baselineY - font.GetAscent();
    for (int row = 0; row < font.GetHeight(); ++row)
    {
        const int py = top + row;
        if (py < area.top || py >= area.bottom)
            continue;
        uint32_t* out = target.Row(py);
        const uint8_t* cover = coverage.data() + static_cast<size_t>(row) * width;
        for (int col = 0; col < width; ++col)
        {
            const int px = left + col;
            if (px >= area.left && px < area.right && cover[col])
                out[px] = MixPixels(ink, out[px], cover[col]);
        }
    }
}

} // namespace images
