#include "images/PngCodec.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "images/CImage.h"

namespace images
{

bool PngCodec::HasSignature(const unsigned char* firstEightBytes)
{
    return png_sig_cmp(firstEightBytes, 0, 8) == 0;
}

bool PngCodec::Load(const char* fileName, CImage& image)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, fileName))
        return false;
    const bool hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_BGRA;
    if (png.width == 0 || png.height == 0 || png.width > 32768 || png.height > 32768)
    {
        png_image_free(&png);
        return false;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(png.width) * png.height);
    // BGRA bytes in memory are 0xAARRGGBB on the little-endian machines we build for.
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr))
    {
        png_image_free(&png);
        return false;
    }
    return image.Adopt(static_cast<int>(png.width), static_cast<int>(png.height), hasAlpha ? 32 : 24,
                       std::move(pixels));
}

bool PngCodec::Save(const char* fileName, const CImage& image)
{
    if (!fileName || !image.IsValid())
        return false;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.GetWidth());
    png.height = static_cast<png_uint_32>(image.GetHeight());
    png.format = image.GetBitsPerPixel() == 32 ? PNG_FORMAT_BGRA : PNG_FORMAT_BGRA & ~PNG_FORMAT_FLAG_ALPHA;
    std::vector<unsigned char> bytes;
    const int channels = image.GetBitsPerPixel() == 32 ? 4 : 3;
    bytes.reserve(static_cast<size_t>(image.GetWidth()) * image.GetHeight() * channels);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const uint32_t p = image.Row(y)[x];
            for (int c = 0; c < channels; ++c)
                bytes.push_back(static_cast<unsigned char>(p >> (8 * c)));
        }
    return png_image_write_to_file(&png, fileName, 0, bytes.data(), 0, nullptr) != 0;
}

} // namespace images
