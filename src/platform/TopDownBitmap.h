#pragma once
// Windows only: the header of a 32-bit DIB whose rows run from the top, the layout of a PixelBuffer and of
// the text bitmaps, so pixels pass between them without conversion.
#include <windows.h>

namespace platform
{

inline BITMAPINFO TopDownBitmap(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace platform
