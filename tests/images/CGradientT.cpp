#include "images/CGradient.h"

#include <gtest/gtest.h>

#include <set>

#include "images/CImage.h"

using namespace images;
using namespace platform;

namespace
{
const ColourRef kBlack = 0;
const ColourRef kWhite = 0xffffff;
} // namespace

TEST(CGradient, StopsSplitTheRangeInInsertionIndependentOrder)
{
    const std::vector<ColourStop> stops{{MakeColourRef(200, 0, 0), 750}, {MakeColourRef(0, 100, 0), 250}};
    EXPECT_EQ(CGradient::ColourAt(250, kBlack, kWhite, stops), MakeColourRef(0, 100, 0));
    // halfway between the stops at 250 and 750
    EXPECT_EQ(CGradient::ColourAt(500, kBlack, kWhite, stops), MakeColourRef(100, 50, 0));
    // between start (0) and the stop at 250: p' = 500
    EXPECT_EQ(CGradient::ColourAt(125, kBlack, kWhite, stops), MakeColourRef(0, 50, 0));
    // between the stop at 750 and the end
    EXPECT_EQ(CGradient::ColourAt(875, kBlack, kWhite, stops), MakeColourRef(227, 127, 127));
}

TEST(CGradient, StyleZeroRunsLeftToRightAndThreeTopToBottom)
{
    CImage image;
    ASSERT_TRUE(image.Create(11, 11));
    CGradient::Draw(image, 0, kBlack, kWhite, {});
    EXPECT_EQ(image.GetPixel(0, 5), MakePixel(0, 0, 0));
    EXPECT_EQ(image.GetPixel(10, 5), MakePixel(255, 255, 255));
    EXPECT_EQ(image.GetPixel(5, 0), MakePixel(127, 127, 127));
    CGradient::Draw(image, 3, kBlack, kWhite, {});
    EXPECT_EQ(image.GetPixel(5, 0), MakePixel(0, 0, 0));
    EXPECT_EQ(image.GetPixel(5, 10), MakePixel(255, 255, 255));
}

TEST(CGradient, EveryStyleDrawsADistinctPicture)
{
    std::set<std::vector<uint32_t>> pictures;
    for (int style = 0; style < CGradient::kStyleCount; ++style)
    {
        CImage image;
        ASSERT_TRUE(image.Create(9, 7));
        CGradient::Draw(image, style, kBlack, kWhite, {});
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x)
                pixels.push_back(image.GetPixel(x, y));
        pictures.insert(pixels);
    }
    EXPECT_EQ(pictures.size(), static_cast<size_t>(CGradient::kStyleCount));
}

TEST(CGradient, OutOfRangeStyleDrawsStyleZero)
{
    CImage a, b;
    ASSERT_TRUE(a.Create(5, 1));
    ASSERT_TRUE(b.Create(5, 1));
    CGradient::Draw(a, 25, kBlack, kWhite, {});
    CGradient::Draw(b, 0, kBlack, kWhite, {});
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(a.GetPixel(x, 0), b.GetPixel(x, 0));
}
