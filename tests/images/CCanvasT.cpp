#include "images/CCanvas.h"

#include <gtest/gtest.h>

using namespace images;
using namespace platform;

namespace
{
int CountInk(const CImage& image, const Rect& r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += image.GetPixel(x, y) != MakePixel(255, 255, 255);
    return n;
}
} // namespace

TEST(CCanvas, FillIsOffsetByOriginAndClippedAndFrameDrawsOnlyTheBorder)
{
    CImage image;
    ASSERT_TRUE(image.Create(10, 10));
    CCanvas canvas(image, {2, 2, 6, 6}, {1, 1});
    canvas.FillRect({0, 0, 10, 10}, 0xffffff);
    EXPECT_EQ(canvas.GetClip(), (Rect{1, 1, 5, 5}));
    EXPECT_EQ(CountInk(image, {2, 2, 6, 6}), 0);
    EXPECT_EQ(CountInk(image, image.GetRect()), 100 - 16);
    // A frame on a black picture: only the 9 inner pixels of 5 × 5 stay black.
    CImage framed;
    ASSERT_TRUE(framed.Create(5, 5));
    CCanvas(framed, framed.GetRect()).FrameRect({0, 0, 5, 5}, 0xffffff);
    EXPECT_EQ(CountInk(framed, framed.GetRect()), 9);
    EXPECT_EQ(CountInk(framed, {1, 1, 4, 4}), 9);
}

TEST(CCanvas, DrawImageHonoursClip)
{
    CImage image, src;
    ASSERT_TRUE(image.Create(6, 6));
    ASSERT_TRUE(src.Create(6, 6));
    src.Fill(0xffffff);
    CCanvas canvas(image, image.GetRect());
    canvas.ClipTo({1, 1, 3, 3});
    canvas.DrawImage(src, src.GetRect(), 0, 0);
    EXPECT_EQ(CountInk(image, image.GetRect()), 36 - 4);
}

TEST(CCanvas, TextIsDrawnInsideTheClipAndMeasured)
{
    auto font = Font::Create("Verdana", 14);
    ASSERT_NE(font, nullptr);
    CImage image;
    ASSERT_TRUE(image.Create(200, 40));
    image.Fill(0xffffff);
    CCanvas canvas(image, {0, 0, 100, 40});
    canvas.SetTextColour(0);
    canvas.DrawText(*font, "Hello piano world, a long line", {0, 0, 200, 40},
                    CCanvas::kTextSingleLine | CCanvas::kTextVCentre);
    EXPECT_GT(CountInk(image, {0, 0, 100, 40}), 20);
    EXPECT_EQ(CountInk(image, {100, 0, 200, 40}), 0);
    const Point one = CCanvas::MeasureText(*font, "ab", true);
    const Point two = CCanvas::MeasureText(*font, "ab\nabcd", false);
    EXPECT_GT(one.x, 0);
    EXPECT_EQ(one.y, font->GetHeight());
    EXPECT_EQ(two.y, 2 * font->GetHeight());
    EXPECT_GT(two.x, one.x);
    EXPECT_EQ(CCanvas::MeasureText(*font, "ab\nabcd", true).x, one.x);
}

TEST(CCanvas, CentredTextSitsInTheMiddle)
{
    auto font = Font::Create("Verdana", 12);
    ASSERT_NE(font, nullptr);
    CImage image;
    ASSERT_TRUE(image.Create(100, 30));
    image.Fill(0xffffff);
    CCanvas canvas(image, image.GetRect());
    canvas.DrawText(*font, "ii", image.GetRect(),
                    CCanvas::kTextCentre | CCanvas::kTextVCentre | CCanvas::kTextSingleLine);
    EXPECT_EQ(CountInk(image, {0, 0, 40, 30}), 0);
    EXPECT_EQ(CountInk(image, {60, 0, 100, 30}), 0);
    EXPECT_GT(CountInk(image, {40, 0, 60, 30}), 0);
    EXPECT_EQ(CountInk(image, {0, 0, 100, 5}), 0);
}
