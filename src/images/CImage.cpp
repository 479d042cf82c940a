#include "images/CImage.h"

#include <cmath>

#include "images/ImageLoader.h"

namespace images
{

namespace
{
// Guards against sizes whose pixel count would not fit in memory sensibly.
constexpr int64_t kMaxPixels = int64_t{1} << 28;
} // namespace

bool CImage::Create(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels)
        return false;
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    pixels_.assign(static_cast<size_t>(width) * height, bitsPerPixel == 32 ? 0u : 0xff000000u);
    return true;
}

bool CImage::Load(const char* fileName)
{
    Destroy();
    if (!ImageLoader::Load(fileName, *this))
    {
        Destroy();
        return false;
    }
    SetFileName(fileName);
    return true;
}

void CImage::Destroy()
{
    width_ = height_ = 0;
    bitsPerPixel_ = 24;
    pixels_.clear();
    pixels_.shrink_to_fit();
}

bool CImage::Adopt(int width, int height, int bitsPerPixel, std::vector<uint32_t> pixels)
{
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels)
        return false;
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || pixels.size() != static_cast<size_t>(width) * height)
        return false;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    pixels_ = std::move(pixels);
    if (bitsPerPixel == 24)
        for (uint32_t& p : pixels_)
            p |= 0xff000000u;
    return true;
}

uint32_t CImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return Row(y)[x];
}

void CImage::SetPixel(int x, int y, uint32_t pixel)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    Row(y)[x] = pixel | OpaqueMask();
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

bool CImage::Resize(int width, int height)
{
    if (!IsValid())
        return false;
    if (width == width_ && height == height_)
        return true;
    CImage scaled;
    if (!scaled.Create(width, height, bitsPerPixel_))
        return false;
    const double sx = static_cast<double>(width_) / width;
    const double sy = static_cast<double>(height_) / height;
    for (int y = 0; y < height; ++y)
    {
        const double fy = std::max(0.0, (y + 0.5) * sy - 0.5);
        const int y0 = std::min(static_cast<int>(fy), height_ - 1);
        const int y1 = std::min(y0 + 1, height_ - 1);
        const double wy = fy - y0;
        uint32_t* out = scaled.Row(y);
        for (int x = 0; x < width; ++x)
        {
            const double fx = std::max(0.0, (x + 0.5) * sx - 0.5);
            const int x0 = std::min(static_cast<int>(fx), width_ - 1);
            const int x1 = std::min(x0 + 1, width_ - 1);
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
    scaled.fileName_ = fileName_;
    *this = std::move(scaled);
    return true;
}

bool CImage::ClipTransfer(const CImage& src, Rect& srcRect, int& dx, int& dy) const
{
    Rect s = Intersect(srcRect, src.GetRect());
    if (s.IsEmpty())
        return false;
    dx += s.left - srcRect.left;
    dy += s.top - srcRect.top;
    const Rect d = Intersect(Rect{dx, dy, dx + s.Width(), dy + s.Height()}, GetRect());
    if (d.IsEmpty())
        return false;
    s = Rect{s.left + d.left - dx, s.top + d.top - dy, 0, 0};
    s.right = s.left + d.Width();
    s.bottom = s.top + d.Height();
    srcRect = s;
    dx = d.left;
    dy = d.top;
    return true;
}

void CImage::CopyRect(const CImage& src, const Rect& srcRect, int dx, int dy)
{
    Rect s = srcRect;
    if (!ClipTransfer(src, s, dx, dy))
        return;
    const uint32_t opaque = OpaqueMask();
    for (int y = 0; y < s.Height(); ++y)
    {
        const uint32_t* in = src.Row(s.top + y) + s.left;
        uint32_t* out = Row(dy + y) + dx;
        for (int x = 0; x < s.Width(); ++x)
            out[x] = in[x] | opaque;
    }
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
            const uint32_t alpha = src.bitsPerPixel_ == 32 ? AlphaOf(in[x]) : 255u;
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
    if (src.width_ != width_ || src.height_ != height_ || mask.width_ != width_ || mask.height_ != height_)
        return;
    for (int y = 0; y < height_; ++y)
    {
        const uint32_t* in = src.Row(y);
        const uint32_t* m = mask.Row(y);
        uint32_t* out = Row(y);
        for (int x = 0; x < width_; ++x)
        {
            const uint32_t weight = (((m[x] >> 16) & 0xff) + ((m[x] >> 8) & 0xff) + (m[x] & 0xff)) / 3;
            out[x] = MixPixels(in[x], out[x], weight);
        }
    }
}

} // namespace images
