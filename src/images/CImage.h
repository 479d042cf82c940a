#pragma once
// An image: a pixel buffer (24 or 32 bits per pixel, 0xAARRGGBB, rows top-down) that knows the file it was
// loaded from and draws: fills, scaling and blending. Used on one thread at a time.
#include <string>

#include "platform/Colour.h"
#include "platform/PixelBuffer.h"
#include "platform/Rect.h"

namespace images
{

class CImage : public platform::PixelBuffer
{
public:
    // Loads a PNG or BMP file; on failure the image is left empty.
    bool Load(const char* name);

    const char* GetFileName() const { return fileName.c_str(); }
    void SetFileName(const char* name) { fileName = name ? name : ""; }

    void Fill(platform::ColourRef colour);
    void FillRect(const platform::Rect& r, platform::ColourRef colour);
    // Scales the image to the new size with bilinear filtering.
    bool Resize(int newWidth, int newHeight);

    // Blends a rectangle of src over this image at an opacity in percent (0..100).
    void BlendRect(const CImage& src, const platform::Rect& srcRect, int dx, int dy, int opacityPercent);
    // Blends with src's per-pixel alpha, further scaled by an opacity in percent.
    void AlphaBlendRect(const CImage& src, const platform::Rect& srcRect, int dx, int dy,
                        int opacityPercent = 100);
    // Blends src (same size) over this image; each pixel's weight is the brightness of the mask's pixel.
    void BlendThroughMask(const CImage& src, const CImage& mask);

private:
    std::string fileName;
};

} // namespace images
