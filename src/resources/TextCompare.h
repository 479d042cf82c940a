// Name comparison of the ini files: ASCII letters match in either case, other
// bytes compare as unsigned values.
#pragma once

namespace resources
{

int CompareNoCase(const char* a, const char* b);
inline bool EqualNoCase(const char* a, const char* b)
{
    return CompareNoCase(a, b) == 0;
}

} // namespace resources
