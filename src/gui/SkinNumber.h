#pragma once
// Numbers in skin files: a value counts only if it is an optional minus sign followed by at least
// one digit and nothing else.
#include <cstdint>
#include <string>

namespace gui
{

class SkinNumber
{
public:
    static bool IsValid(const std::string& text);
    // As a signed number ("%d").
    static bool ReadSigned(const std::string& text, int32_t& value);
    // As an unsigned number ("%u"): a negative number wraps around and so exceeds every bound.
    static bool ReadUnsigned(const std::string& text, uint32_t& value);
};

} // namespace gui
