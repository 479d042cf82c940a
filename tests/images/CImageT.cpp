#include "images/CImage.h"

#include <gtest/gtest.h>

using namespace images;
using namespace platform;

TEST(CImage, CreateRejectsBadSizesAndDepthsAndPixelsOutsideAreIgnored)
{
    CImage image;
    EXPECT_FALSE(image.Create(0, 10));
    EXPECT_FALSE(image.Create(10, -1));
    EXPECT_FALSE(image.Create(10, 10, 16));
    EXPECT_FALSE(image.IsValid());
    ASSERT_TRUE(image.Create(3, 2, 32));
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
    EXPECT_EQ(image.GetPixel(2, 1), 0u);
    image.SetPixel(3, 0, 0x123456);
    EXPECT_EQ(image.GetPixel(-1, 0), 0u);
    EXPECT_EQ(image.GetPixel(3, 0), 0u);
}

TEST(CImage, CopyRectClipsAgainstBothImages)
{
    CImage src, dst;
    ASSERT_TRUE(src.Create(4, 4));
    ASSERT_TRUE(dst.Create(4, 4));
    src.Fill(0xffffff);
    dst.CopyRect(src, {2, 2, 6, 6}, 3, 3); // only src (2,2) reaches dst (3,3)
    EXPECT_EQ(dst.GetPixel(3, 3), 0xffffffffu);
    EXPECT_EQ(dst.GetPixel(2, 3), 0xff000000u);
    dst.CopyRect(src, {0, 0, 4, 4}, -3, -3); // only src (3,3) reaches dst (0,0)
    EXPECT_EQ(dst.GetPixel(0, 0), 0xffffffffu);
    EXPECT_EQ(dst.GetPixel(1, 0), 0xff000000u);
}

TEST(CImage, AlphaBlendUsesPerPixelAlphaAndKeepsDestinationAlpha)
{
    CImage src, dst;
    ASSERT_TRUE(src.Create(3, 1, 32));
    ASSERT_TRUE(dst.Create(3, 1));
    src.SetPixel(0, 0, MakePixel(255, 255, 255, 0));
    src.SetPixel(1, 0, MakePixel(255, 255, 255, 255));
    src.SetPixel(2, 0, MakePixel(255, 0, 0, 51));
    dst.AlphaBlendRect(src, src.GetRect(), 0, 0);
    EXPECT_EQ(dst.GetPixel(0, 0), MakePixel(0, 0, 0));
    EXPECT_EQ(dst.GetPixel(1, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(dst.GetPixel(2, 0), MakePixel(51, 0, 0));
    CImage half;
    ASSERT_TRUE(half.Create(1, 1));
    half.AlphaBlendRect(src, {1, 0, 2, 1}, 0, 0, 20); // opaque white at 20 %: weight 51
    EXPECT_EQ(half.GetPixel(0, 0), MakePixel(51, 51, 51));
}

TEST(CImage, ResizeInterpolatesBetweenNeighbours)
{
    CImage image;
    ASSERT_TRUE(image.Create(2, 1));
    image.SetPixel(1, 0, MakePixel(200, 200, 200));
    ASSERT_TRUE(image.Resize(4, 1));
    EXPECT_EQ(image.GetPixel(0, 0), MakePixel(0, 0, 0));
    EXPECT_EQ(image.GetPixel(1, 0), MakePixel(50, 50, 50));
    EXPECT_EQ(image.GetPixel(2, 0), MakePixel(150, 150, 150));
    EXPECT_EQ(image.GetPixel(3, 0), MakePixel(200, 200, 200));
}
