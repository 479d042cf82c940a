#include "guidemo/XwdFile.h"

#include <cstdio>
#include <vector>

using namespace images;

namespace guidemo
{

namespace
{
constexpr uint32_t kXwdVersion = 7;
constexpr uint32_t kZPixmap = 2;
constexpr size_t kHeaderWords = 25;
constexpr size_t kColourEntryBytes = 12;

uint32_t BigEndian(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

int ShiftOf(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1))
    {
        mask >>= 1;
        ++shift;
    }
    return shift;
}
} // namespace

bool XwdFile::Read(const std::string& path, CImage& image, std::string& error)
{
    std::vector<unsigned char> data;
    if (FILE* f = std::fopen(path.c_str(), "rb"))
    {
        unsigned char chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            data.insert(data.end(), chunk, chunk + got);
        std::fclose(f);
    }
    if (data.size() < kHeaderWords * 4)
    {
        error = "missing or short file";
        return false;
    }
    uint32_t h[kHeaderWords];
    for (size_t i = 0; i < kHeaderWords; ++i)
        h[i] = BigEndian(&data[i * 4]);
    const uint32_t headerSize = h[0], version = h[1], format = h[2], width = h[4], height = h[5],
                   byteOrder = h[7];
    const uint32_t bitsPerPixel = h[11], bytesPerLine = h[12], redMask = h[14], greenMask = h[15],
                   blueMask = h[16];
    const uint32_t colours = h[19];
    if (version != kXwdVersion || format != kZPixmap || (bitsPerPixel != 32 && bitsPerPixel != 24))
    {
        error = "not a true-colour ZPixmap dump";
        return false;
    }
    const size_t offset = headerSize + static_cast<size_t>(colours) * kColourEntryBytes;
    if (width == 0 || height == 0 || width > 16384 || height > 16384 ||
        bytesPerLine < width * bitsPerPixel / 8 || offset > data.size() ||
        data.size() - offset < static_cast<size_t>(bytesPerLine) * height)
    {
        error = "inconsistent header";
        return false;
    }
    if (!image.Create(static_cast<int>(width), static_cast<int>(height)))
    {
        error = "no memory";
        return false;
    }
    const int bytes = static_cast<int>(bitsPerPixel / 8);
    for (uint32_t y = 0; y < height; ++y)
    {
        const unsigned char* row = &data[offset + static_cast<size_t>(bytesPerLine) * y];
        for (uint32_t x = 0; x < width; ++x)
        {
            const unsigned char* p = row + x * bytes;
            uint32_t v = 0;
            for (int b = 0; b < bytes; ++b)
                v |= static_cast<uint32_t>(p[b]) << (8 * (byteOrder == 0 ? b : bytes - 1 - b));
            image.SetPixel(static_cast<int>(x), static_cast<int>(y),
                           MakePixel((v & redMask) >> ShiftOf(redMask), (v & greenMask) >> ShiftOf(greenMask),
                                     (v & blueMask) >> ShiftOf(blueMask)));
        }
    }
    return true;
}

} // namespace guidemo
