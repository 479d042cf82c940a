#include "images/CImage.h"

#include <algorithm>
#include <cmath>

#include "images/ImageLoader.h"

using namespace platform;

namespace images
{

bool CImage::Load(const char* name)
{
    Destroy();
    if (!ImageLoader::Load(name, *this))
    {
        Destroy();
        return false;
    }
    SetFileName(name);
    return true;
}

void CImage::Fill(ColourRef colour)
{
    FillRect(GetRect(), colour);
}

void CImage::FillRect(const Rect& r, ColourRef colour)
{
    const Rect area = Intersect(r, GetRect());
    const uint32_t pixel = PixelFromColourRef(colour);
    for (int y = area.top; y < area.bottom; ++y)
    {
        uint32_t* row = Row(y);
        for (int x = area.left; x < area.right; ++x)
            row[x] = pixel;
    }
}

bool CImage::Resize(int newWidth, int newHeight)
{
    if (!IsValid())
        return false;
    const int imageWidth = GetWidth();
    const int imageHeight = GetHeight();
    if (newWidth == imageWidth && newHeight == imageHeight)
        return true;
    CImage scaled;
    if (!scaled.Create(newWidth, newHeight, GetBitsPerPixel()))
        return false;
    const double sx = static_cast<double>(imageWidth) / newWidth;
    const double sy = static_cast<double>(imageHeight) / newHeight;
    for (int y = 0; y < newHeight; ++y)
    {
        const double fy = std::max(0.0, (y + 0.5) * sy - 0.5);
        const int y0 = std::min(static_cast<int>(fy), imageHeight - 1);
        const int y1 = std::min(y0 + 1, imageHeight - 1);
        const double wy = fy - y0;
        uint32_t* out = scaled.Row(y);
        for (int x = 0; x < newWidth; ++x)
        {
            const double fx = std::max(0.0, (x + 0.5) * sx - 0.5);
            const int x0 = std::min(static_cast<int>(fx), imageWidth - 1);
            const int x1 = std::min(x0 + 1, imageWidth - 1);
            const double wx = fx - x0;
            const uint32_t p00 = Row(y0)[x0], p01 = Row(y0)[x1], p10 = Row(y1)[x0], p11 = Row(y1)[x1];
            uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8)
            {
                const double top = ((p00 >> shift) & 0xff) * (1 - wx) + ((p01 >> shift) & 0xff) * wx;
                const double bottom = ((p10 >> shift) & 0xff) * (1 - wx) + ((p11 >> shift) & 0xff) * wx;
                const auto v = static_cast<uint32_t>(std::lround(top * (1 - wy) + bottom * wy));
                result |= std::min(v, 255u) << shift;
            }
            out[x] = result;
        }
    }
    scaled.fileName = fileName;
    *this = std::move(scaled);
    return true;
}
void CImage::BlendRect(const CImage& src, const Rect& srcRect, int dx, int dy, int opacityPercent)
{
    const int opacity = std::clamp(opacityPercent, 0, 100);
    if (opacity == 100)
    {
        CopyRect(src, srcRect, dx, dy);
        return;
    }
    Rect s = srcRect;
    if (opacity == 0 || !ClipTransfer(src, s, dx, dy))
        return;
    const uint32_t weight = static_cast<uint32_t>(opacity * 255 + 50) / 100;
    for (int y = 0; y < s.Height(); ++y)
    {
        const uint32_t* in = src.Row(s.top + y) + s.left;
        uint32_t* out = Row(dy + y) + dx;
        for (int x = 0; x < s.Width(); ++x)
            out[x] = MixPixels(in[x], out[x], weight);
    }
}

void CImage::AlphaBlendRect(const CImage& src, const Rect& srcRect, int dx, int dy, int opacityPercent)
{
    const int opacity = std::clamp(opacityPercent, 0, 100);
    Rect s = srcRect;
    if (opacity == 0 || !ClipTransfer(src, s, dx, dy))
        return;
    for (int y = 0; y < s.Height(); ++y)
    {
        const uint32_t* in = src.Row(s.top + y) + s.left;
        uint32_t* out = Row(dy + y) + dx;
        for (int x = 0; x < s.Width(); ++x)
        {
            const uint32_t alpha = src.GetBitsPerPixel() == 32 ? AlphaOf(in[x]) : 255u;
            const uint32_t weight = (alpha * static_cast<uint32_t>(opacity) + 50) / 100;
            if (weight == 255)
                out[x] = (in[x] & 0x00ffffffu) | (out[x] & 0xff000000u);
            else if (weight > 0)
                out[x] = MixPixels(in[x], out[x], weight);
        }
    }
}

void CImage::BlendThroughMask(const CImage& src, const CImage& mask)
{
    const int imageWidth = GetWidth();
    const int imageHeight = GetHeight();
    if (src.GetWidth() != imageWidth || src.GetHeight() != imageHeight || mask.GetWidth() != imageWidth ||
        mask.GetHeight() != imageHeight)
        return;
    for (int y = 0; y < imageHeight; ++y)
    {
        const uint32_t* in = src.Row(y);
        const uint32_t* m = mask.Row(y);
        uint32_t* out = Row(y);
        for (int x = 0; x < imageWidth; ++x)
        {
            const uint32_t weight = (((m[x] >> 16) & 0xff) + ((m[x] >> 8) & 0xff) + (m[x] & 0xff)) / 3;
            out[x] = MixPixels(in[x], out[x], weight);
        }
    }
}

} // namespace images
