#include "gui/SkinNumber.h"

#include <cctype>
#include <cstdlib>

namespace gui
{

bool SkinNumber::IsValid(const std::string& text)
{
    size_t i = text[0] == '-' ? 1 : 0;
    if (i >= text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

bool SkinNumber::ReadSigned(const std::string& text, int32_t& value)
{
    if (text.empty() || !IsValid(text))
        return false;
    // Wraps like the C library's "%d" on overflow, without undefined behaviour.
    value = static_cast<int32_t>(static_cast<uint32_t>(std::strtoll(text.c_str(), nullptr, 10)));
    return true;
}

bool SkinNumber::ReadUnsigned(const std::string& text, uint32_t& value)
{
    if (text.empty() || !IsValid(text))
        return false;
    value = static_cast<uint32_t>(std::strtoll(text.c_str(), nullptr, 10));
    return true;
}

} // namespace gui
