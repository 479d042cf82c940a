#pragma once
// UTF-8 decoding as the fonts read text, and the same text in UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>

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

// The text in UTF-16, as Windows and VST3 hosts take it; code points beyond Unicode are dropped.
inline std::u16string ToUtf16(const char* text, size_t length)
{
    std::u16string out;
    if (!text)
        return out;
    out.reserve(length);
    for (size_t i = 0; i < length;)
    {
        const uint32_t cp = NextCodePoint(text, length, i);
        if (cp >= 0x10000 && cp <= 0x10ffff)
        {
            out.push_back(static_cast<char16_t>(0xd800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xdc00 + ((cp - 0x10000) & 0x3ff)));
        }
        else if (cp < 0x10000)
        {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace images
