#include "platform/PixelBuffer.h"

namespace platform
{

namespace
{
// Guards against sizes whose pixel count would not fit in memory sensibly.
constexpr int64_t kMaxPixels = int64_t{1} << 28;
} // namespace

bool PixelBuffer::Create(int newWidth, int newHeight, int newBitsPerPixel)
{
    if (newWidth <= 0 || newHeight <= 0 || int64_t{newWidth} * newHeight > kMaxPixels)
        return false;
    if (newBitsPerPixel != 24 && newBitsPerPixel != 32)
        return false;
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
    pixels.assign(static_cast<size_t>(newWidth) * newHeight, newBitsPerPixel == 32 ? 0u : 0xff000000u);
    return true;
}

void PixelBuffer::Destroy()
{
    width = height = 0;
    bitsPerPixel = 24;
    pixels.clear();
    pixels.shrink_to_fit();
}

bool PixelBuffer::Adopt(int newWidth, int newHeight, int newBitsPerPixel, std::vector<uint32_t> newPixels)
{
    if (newWidth <= 0 || newHeight <= 0 || int64_t{newWidth} * newHeight > kMaxPixels)
        return false;
    if ((newBitsPerPixel != 24 && newBitsPerPixel != 32) ||
        newPixels.size() != static_cast<size_t>(newWidth) * newHeight)
        return false;
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
    pixels = std::move(newPixels);
    if (newBitsPerPixel == 24)
        for (uint32_t& p : pixels)
            p |= 0xff000000u;
    return true;
}

uint32_t PixelBuffer::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return Row(y)[x];
}

void PixelBuffer::SetPixel(int x, int y, uint32_t pixel)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    Row(y)[x] = pixel | OpaqueMask();
}

bool PixelBuffer::ClipTransfer(const PixelBuffer& src, Rect& srcRect, int& dx, int& dy) const
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

void PixelBuffer::CopyRect(const PixelBuffer& src, const Rect& srcRect, int dx, int dy)
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

} // namespace platform
