#pragma once
// A bitmap in memory: 24 or 32 bits per pixel, each pixel stored as 0xAARRGGBB, rows top-down.
// A 24-bit image keeps its alpha bytes at 255; a 32-bit image keeps per-pixel (straight) alpha.
// Used on one thread at a time.
#include <cstdint>
#include <string>
#include <vector>

#include "images/Colour.h"
#include "images/Rect.h"

namespace images
{

class CImage
{
public:
    CImage() = default;

    // Makes a width × height image of black pixels (alpha 255 at 24 bits, 0 at 32 bits).
    bool Create(int width, int height, int bitsPerPixel = 24);
    // Loads a PNG or BMP file; on failure the image is left empty.
    bool Load(const char* fileName);
    void Destroy();

    bool IsValid() const { return width_ > 0 && height_ > 0; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetBitsPerPixel() const { return bitsPerPixel_; }
    Rect GetRect() const { return {0, 0, width_, height_}; }
    const char* GetFileName() const { return fileName_.c_str(); }
    void SetFileName(const char* fileName) { fileName_ = fileName ? fileName : ""; }

    uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t pixel);
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    // Takes over pixels of the given size (width × height entries, top-down rows).
    bool Adopt(int width, int height, int bitsPerPixel, std::vector<uint32_t> pixels);

    void Fill(ColourRef colour);
    void FillRect(const Rect& r, ColourRef colour);
    // Scales the image to the new size with bilinear filtering.
    bool Resize(int width, int height);

    // Copies a rectangle of src to (dx, dy); the rectangle is clipped to both images.
    void CopyRect(const CImage& src, const Rect& srcRect, int dx, int dy);
    // Blends a rectangle of src over this image at an opacity in percent (0..100).
    void BlendRect(const CImage& src, const Rect& srcRect, int dx, int dy, int opacityPercent);
    // Blends with src's per-pixel alpha, further scaled by an opacity in percent.
    void AlphaBlendRect(const CImage& src, const Rect& srcRect, int dx, int dy, int opacityPercent = 100);
    // Blends src (same size) over this image; each pixel's weight is the brightness of the mask's pixel.
    void BlendThroughMask(const CImage& src, const CImage& mask);

private:
    // Clips a copy from src's rectangle to (dx, dy) against both images; false when nothing is left.
    bool ClipTransfer(const CImage& src, Rect& srcRect, int& dx, int& dy) const;
    uint32_t OpaqueMask() const { return bitsPerPixel_ == 32 ? 0u : 0xff000000u; }

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 24;
    std::vector<uint32_t> pixels_;
    std::string fileName_;
};

} // namespace images
