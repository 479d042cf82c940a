#include "images/BmpCodec.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "images/CImage.h"

namespace images
{

namespace
{
uint32_t U32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::vector<unsigned char> ReadWhole(const char* fileName)
{
    std::vector<unsigned char> data;
    FILE* f = std::fopen(fileName, "rb");
    if (!f)
        return data;
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    std::fclose(f);
    return data;
}
} // namespace

bool BmpCodec::Load(const char* fileName, CImage& image)
{
    const std::vector<unsigned char> data = ReadWhole(fileName);
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t pixelOffset = U32(&data[10]);
    const uint32_t headerSize = U32(&data[14]);
    if (headerSize < 40)
        return false;
    const auto width = static_cast<int32_t>(U32(&data[18]));
    const auto rawHeight = static_cast<int32_t>(U32(&data[22]));
    const uint16_t bits = U16(&data[28]);
    const uint32_t compression = U32(&data[30]);
    // Uncompressed (0) or bit fields (3) with the standard masks only.
    if (compression != 0 && compression != 3)
        return false;
    if ((bits != 24 && bits != 32) || width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        return false;
    const int height = std::abs(rawHeight);
    if (width > 32768 || height > 32768)
        return false;
    const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) & ~size_t{3};
    if (pixelOffset > data.size() || data.size() - pixelOffset < stride * height)
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
    {
        const int fileRow = rawHeight > 0 ? height - 1 - y : y;
        const unsigned char* in = &data[pixelOffset + stride * fileRow];
        for (int x = 0; x < width; ++x)
        {
            const unsigned char* p = in + x * (bits / 8);
            const uint32_t alpha = bits == 32 ? p[3] : 255u;
            pixels[static_cast<size_t>(y) * width + x] = MakePixel(p[2], p[1], p[0], alpha);
        }
    }
    return image.Adopt(width, height, bits, std::move(pixels));
}

} // namespace images
