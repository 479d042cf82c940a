#include "images/ImageLoader.h"

#include <cstdio>

#include "images/BmpCodec.h"
#include "images/CImage.h"
#include "images/PngCodec.h"

namespace images
{

bool ImageLoader::Load(const char* fileName, CImage& image)
{
    if (!fileName || !*fileName)
        return false;
    unsigned char magic[8] = {};
    FILE* f = std::fopen(fileName, "rb");
    if (!f)
        return false;
    const size_t got = std::fread(magic, 1, sizeof magic, f);
    std::fclose(f);
    if (got == sizeof magic && PngCodec::HasSignature(magic))
        return PngCodec::Load(fileName, image);
    if (got >= 2 && magic[0] == 'B' && magic[1] == 'M')
        return BmpCodec::Load(fileName, image);
    return false;
}

} // namespace images
