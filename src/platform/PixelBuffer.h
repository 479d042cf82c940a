#pragma once
// Pixels in memory, as the native window presents them: 24 or 32 bits per pixel, each pixel stored as
// 0xAARRGGBB, rows top-down. A 24-bit buffer keeps its alpha bytes at 255; a 32-bit buffer keeps
// per-pixel (straight) alpha. Used on one thread at a time.
#include <cstdint>
#include <vector>

#include "platform/Rect.h"

namespace platform
{

class PixelBuffer
{
public:
    // Makes a newWidth × newHeight buffer of black pixels (alpha 255 at 24 bits, 0 at 32 bits).
    bool Create(int newWidth, int newHeight, int newBitsPerPixel = 24);
    void Destroy();

    bool IsValid() const { return width > 0 && height > 0; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetBitsPerPixel() const { return bitsPerPixel; }
    Rect GetRect() const { return {0, 0, width, height}; }

    uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t pixel);
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
    // Takes over pixels of the given size (newWidth × newHeight entries, top-down rows).
    bool Adopt(int newWidth, int newHeight, int newBitsPerPixel, std::vector<uint32_t> newPixels);

    // Copies a rectangle of src to (dx, dy); the rectangle is clipped to both buffers.
    void CopyRect(const PixelBuffer& src, const Rect& srcRect, int dx, int dy);

protected:
    // Clips a copy from src's rectangle to (dx, dy) against both buffers; false when nothing is left.
    bool ClipTransfer(const PixelBuffer& src, Rect& srcRect, int& dx, int& dy) const;
    uint32_t OpaqueMask() const { return bitsPerPixel == 32 ? 0u : 0xff000000u; }

private:
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<uint32_t> pixels;
};

} // namespace platform
