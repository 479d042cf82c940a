#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "images/CImage.h"
#include "images/PngCodec.h"

using namespace images;
using namespace platform;

namespace
{
// A file of this run alone, since other build trees may run the same tests at the same time; removed at
// the end of the test.
struct TempPath
{
    explicit TempPath(const char* name)
        : path(::testing::TempDir() + "codec-" + std::to_string(std::random_device()()) + "-" + name)
    {
    }
    ~TempPath() { std::remove(path.c_str()); }
    const char* c_str() const { return path.c_str(); }
    const std::string path;
};

void WriteBytes(const TempPath& file, const std::string& bytes)
{
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string Le32(uint32_t v)
{
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
}

// A 2 × 2 bitmap, 24 bits, rows of 6 bytes padded to 8.
std::string Bmp24(int32_t height)
{
    std::string header = "BM" + Le32(54 + 16) + Le32(0) + Le32(54);
    header += Le32(40) + Le32(2) + Le32(static_cast<uint32_t>(height)) + std::string("\x01\x00\x18\x00", 4) +
              Le32(0) + Le32(16) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
    // first stored row: blue, green; second: red, white
    std::string rows = std::string("\xff\x00\x00\x00\xff\x00\x00\x00", 8) +
                       std::string("\x00\x00\xff\xff\xff\xff\x00\x00", 8);
    return header + rows;
}
} // namespace

TEST(PngCodec, AlphaReadsBackExactlyAndOpaquePicturesAsTwentyFourBits)
{
    CImage image;
    ASSERT_TRUE(image.Create(256, 2, 32));
    for (int a = 0; a < 256; ++a)
    {
        image.SetPixel(a, 0, MakePixel(a, 255 - a, 7, a));
        image.SetPixel(a, 1, MakePixel(1, 2, 3, 255 - a));
    }
    const TempPath path("alpha.png");
    ASSERT_TRUE(PngCodec::Save(path.c_str(), image));
    CImage back;
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(back.GetBitsPerPixel(), 32);
    EXPECT_STREQ(back.GetFileName(), path.c_str());
    for (int a = 0; a < 256; ++a)
    {
        ASSERT_EQ(back.GetPixel(a, 0), MakePixel(a, 255 - a, 7, a)) << a;
        ASSERT_EQ(back.GetPixel(a, 1), MakePixel(1, 2, 3, 255 - a)) << a;
    }
    // An opaque picture reads back as 24 bits.
    ASSERT_TRUE(image.Create(3, 3));
    image.Fill(0x102030);
    ASSERT_TRUE(PngCodec::Save(path.c_str(), image));
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(back.GetBitsPerPixel(), 24);
    EXPECT_EQ(back.GetPixel(2, 2), PixelFromColourRef(0x102030));
}

TEST(ImageLoader, BottomUpAndTopDownBitmaps)
{
    const TempPath up("up.bmp"), down("down.bmp");
    WriteBytes(up, Bmp24(2));
    WriteBytes(down, Bmp24(-2));
    CImage a, b;
    ASSERT_TRUE(a.Load(up.c_str()));
    ASSERT_TRUE(b.Load(down.c_str()));
    EXPECT_EQ(a.GetBitsPerPixel(), 24);
    EXPECT_EQ(a.GetPixel(0, 1), MakePixel(0, 0, 255)); // first stored row is the bottom one
    EXPECT_EQ(a.GetPixel(0, 0), MakePixel(255, 0, 0));
    EXPECT_EQ(b.GetPixel(0, 0), MakePixel(0, 0, 255)); // negative height: top-down
    EXPECT_EQ(b.GetHeight(), 2);
}

TEST(ImageLoader, TruncatedOrUnknownFilesFail)
{
    const TempPath truncated("short.bmp"), text("text.png");
    WriteBytes(truncated, Bmp24(2).substr(0, 60));
    WriteBytes(text, "not an image at all");
    CImage image;
    EXPECT_FALSE(image.Load(truncated.c_str()));
    EXPECT_FALSE(image.Load(text.c_str()));
    EXPECT_FALSE(image.Load(TempPath("missing.png").c_str()));
    EXPECT_FALSE(image.Load(nullptr));
    EXPECT_FALSE(image.IsValid());
}
