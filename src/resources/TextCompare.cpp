#include "resources/TextCompare.h"

namespace resources
{
namespace
{

unsigned char Lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

} // namespace

int CompareNoCase(const char* a, const char* b)
{
    const unsigned char* left = reinterpret_cast<const unsigned char*>(a != nullptr ? a : "");
    const unsigned char* right = reinterpret_cast<const unsigned char*>(b != nullptr ? b : "");
    for (;; ++left, ++right)
    {
        const int difference = static_cast<int>(Lower(*left)) - static_cast<int>(Lower(*right));
        if (difference != 0 || *left == 0)
            return difference;
    }
}

} // namespace resources
