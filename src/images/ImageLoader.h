#pragma once

namespace images
{
// Opens image files by their contents: PNG (alpha kept) and uncompressed BMP.
class CImage;

class ImageLoader
{
public:
    static bool Load(const char* fileName, CImage& image);
};

} // namespace images
