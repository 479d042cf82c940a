#include "platform/CRegion.h"

#include <gtest/gtest.h>

using namespace platform;

namespace
{
long Area(const CRegion& r)
{
    long a = 0;
    for (const Rect& x : r.Rects())
        a += static_cast<long>(x.Width()) * x.Height();
    return a;
}
} // namespace

TEST(CRegion, UnionCountsOverlapOnce)
{
    CRegion r;
    r.Add({0, 0, 10, 10});
    r.Add({5, 5, 15, 15});
    EXPECT_EQ(Area(r), 175);
    EXPECT_EQ(r.Bounds(), (Rect{0, 0, 15, 15}));
    for (size_t i = 0; i < r.Count(); ++i)
        for (size_t j = i + 1; j < r.Count(); ++j)
            EXPECT_FALSE(Intersects(r.Rects()[i], r.Rects()[j]));
}

TEST(CRegion, SubtractCutsHoles)
{
    CRegion r;
    r.Add({0, 0, 10, 10});
    r.Subtract({3, 3, 6, 6});
    EXPECT_EQ(Area(r), 91);
    EXPECT_FALSE(r.Intersects({3, 3, 6, 6}));
    EXPECT_TRUE(r.Intersects({5, 5, 7, 7}));
    r.Subtract({-5, -5, 20, 20});
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Bounds(), Rect{});
}

TEST(CRegion, CoveredAndEmptyRectanglesAddNothingAndALargerOneSwallowsThem)
{
    CRegion r;
    r.Add({10, 10, 20, 20});
    r.Add({12, 12, 14, 14});
    r.Add({13, 13, 13, 18});
    EXPECT_EQ(r.Count(), 1u);
    r.Add({30, 30, 40, 40});
    r.Add({0, 0, 50, 50});
    EXPECT_EQ(r.Rects(), (std::vector<Rect>{{0, 0, 50, 50}}));
}
