#pragma once

namespace images
{
// PNG files through libpng: any PNG reads as 32-bit BGRA; images without alpha report 24 bits.
class CImage;

class PngCodec
{
public:
    static bool HasSignature(const unsigned char* firstEightBytes);
    static bool Load(const char* fileName, CImage& image);
    // Writes the image as 8-bit RGBA (32-bit images) or RGB (24-bit images).
    static bool Save(const char* fileName, const CImage& image);
};

} // namespace images
