#pragma once
// Copies a rectangle of an image to a device context: the image's rows are a 32-bit top-down DIB as
// they stand (0xAARRGGBB is blue, green, red, unused in memory), so nothing is converted.
#include <windows.h>

#include "platform/PixelBuffer.h"

namespace platform
{

class Win32Presenter
{
public:
    static void Put(HDC dc, const PixelBuffer& image, const Rect& r, int destX, int destY);
    // Makes the whole image the picture of a layered window, placed and sized at a screen position.
    static bool PutLayered(HWND window, const PixelBuffer& image, int screenX, int screenY);
};

} // namespace platform
