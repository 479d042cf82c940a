#include "host/vst3/Vst3Strings.h"

#include <cstdio>

#include "images/Utf8.h"

namespace host
{

void CopyToString128(const std::string& text, String128 field)
{
    const std::u16string wide = images::ToUtf16(text.data(), text.size());
    size_t length = std::min(wide.size(), sizeof(String128) / sizeof(TChar) - 1);
    // A character made of two units is never cut in half.
    if (length > 0 && length < wide.size() && wide[length - 1] >= 0xd800 && wide[length - 1] < 0xdc00)
        --length;
    wide.copy(field, length);
    field[length] = 0;
}

std::string Utf8Of(const TChar* text, size_t limit)
{
    std::string out;
    for (size_t i = 0; text && i < limit && text[i] != 0; ++i)
    {
        uint32_t cp = text[i];
        if (cp >= 0xd800 && cp < 0xdc00 && i + 1 < limit && text[i + 1] >= 0xdc00 && text[i + 1] < 0xe000)
            cp = 0x10000 + ((cp - 0xd800) << 10) + (text[++i] - 0xdc00);
        if (cp < 0x80)
        {
            out += static_cast<char>(cp);
        }
        else if (cp < 0x800)
        {
            out += static_cast<char>(0xc0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3f));
        }
        else if (cp < 0x10000)
        {
            out += static_cast<char>(0xe0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (cp & 0x3f));
        }
        else
        {
            out += static_cast<char>(0xf0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (cp & 0x3f));
        }
    }
    return out;
}

void CopyToChar8(const char* text, char8* field, size_t size)
{
    if (field && size > 0)
        std::snprintf(field, size, "%s", text ? text : "");
}

} // namespace host
