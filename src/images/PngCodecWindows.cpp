// PNG files through the system's codecs (platform::ReadPngFile), where libpng is not built.
#include <cstring>

#include "images/CImage.h"
#include "images/PngCodec.h"
#include "platform/PngFile.h"

namespace images
{

bool PngCodec::HasSignature(const unsigned char* firstEightBytes)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return firstEightBytes && std::memcmp(firstEightBytes, kSignature, sizeof kSignature) == 0;
}

bool PngCodec::Load(const char* fileName, CImage& image)
{
    bool hasAlpha = false;
    return platform::ReadPngFile(fileName, image, hasAlpha);
}

bool PngCodec::Save(const char* fileName, const platform::PixelBuffer& image)
{
    return platform::WritePngFile(fileName, image);
}

} // namespace images
