#pragma once
// UTF-8 decoding as the fonts read text.
#include <cstddef>
#include <cstdint>

namespace images
{

// Decodes one UTF-8 sequence at text[i] and moves i past it; malformed bytes read as themselves
// (Latin-1), so texts saved in the older single-byte form still show.
inline uint32_t NextCodePoint(const char* text, size_t length, size_t& i)
{
    const auto b = static_cast<unsigned char>(text[i++]);
    int extra = b >= 0xf0 ? 3 : b >= 0xe0 ? 2 : b >= 0xc0 ? 1 : 0;
    if (extra == 0 || i + extra > length)
        return b;
    uint32_t cp = b & (0x3f >> extra);
    for (int k = 0; k < extra; ++k)
    {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xc0) != 0x80)
            return b;
        cp = cp << 6 | (c & 0x3f);
    }
    i += extra;
    return cp;
}

} // namespace images
