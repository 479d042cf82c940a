#pragma once

namespace images
{
// Uncompressed Windows bitmaps: 24 and 32 bits per pixel, bottom-up or top-down rows.
class CImage;

class BmpCodec
{
public:
    static bool Load(const char* fileName, CImage& image);
};

} // namespace images
