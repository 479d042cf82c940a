#pragma once
// PNG files through the system's own codecs, for systems where the image library's PNG decoder is not
// built (Windows: the Windows Imaging Component). Any PNG reads as straight-alpha 0xAARRGGBB pixels.
// Any thread; each call initialises what it needs for its own thread.
#include "platform/PixelBuffer.h"

namespace platform
{

// Reads a PNG file; hasAlpha tells whether the file has an alpha channel (or transparent palette entries).
bool ReadPngFile(const char* fileName, PixelBuffer& image, bool& hasAlpha);
// Writes 8-bit RGBA (32-bit images) or RGB (24-bit images).
bool WritePngFile(const char* fileName, const PixelBuffer& image);

} // namespace platform
