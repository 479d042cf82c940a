#pragma once
// Colour values: colour references hold red in the lowest byte (0x00BBGGRR); pixels of an image are
// 0xAARRGGBB, that is blue, green, red, alpha in memory.
#include <cstdint>

namespace images
{

using ColourRef = uint32_t;

constexpr ColourRef MakeColourRef(uint32_t r, uint32_t g, uint32_t b)
{
    return (r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16);
}
constexpr uint32_t RedOf(ColourRef c)
{
    return c & 0xff;
}
constexpr uint32_t GreenOf(ColourRef c)
{
    return (c >> 8) & 0xff;
}
constexpr uint32_t BlueOf(ColourRef c)
{
    return (c >> 16) & 0xff;
}

constexpr uint32_t MakePixel(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 0xff)
{
    return ((a & 0xff) << 24) | ((r & 0xff) << 16) | ((g & 0xff) << 8) | (b & 0xff);
}
constexpr uint32_t PixelFromColourRef(ColourRef c)
{
    return MakePixel(RedOf(c), GreenOf(c), BlueOf(c));
}
constexpr ColourRef ColourRefFromPixel(uint32_t p)
{
    return MakeColourRef((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
}
constexpr uint32_t AlphaOf(uint32_t pixel)
{
    return pixel >> 24;
}

// Mixes two pixels channel by channel: weight 0..255 of the first.
inline uint32_t MixPixels(uint32_t over, uint32_t under, uint32_t weight)
{
    const uint32_t inv = 255 - weight;
    auto channel = [&](int shift)
    { return ((((over >> shift) & 0xff) * weight + ((under >> shift) & 0xff) * inv + 127) / 255) << shift; };
    return channel(0) | channel(8) | channel(16) | (under & 0xff000000u);
}

} // namespace images
