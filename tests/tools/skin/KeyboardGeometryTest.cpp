// The skin's keyboard has a real keyboard's proportions and gives every pixel to exactly one key.
#include <gtest/gtest.h>

#include <vector>

#include "mkskin/KeyboardGeometry.h"
#include "mkskin/SkinLayout.h"

using mkskin::KeyboardGeometry;

namespace
{
double centre(const mkskin::KeyShape& key)
{
    return (key.left + key.right) / 2;
}

TEST(KeyboardGeometry, WhiteKeysTileBothHalvesWhichMeetBetweenEAndF)
{
    const KeyboardGeometry g;
    double edge = 0;
    for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        if (!g.key(i).black)
        {
            EXPECT_DOUBLE_EQ(g.key(i).left, edge) << i;
            edge = g.key(i).right;
        }
    EXPECT_DOUBLE_EQ(edge, 2.0 * mkskin::kHalfWidth);
    EXPECT_DOUBLE_EQ(g.key(43).right, mkskin::kHalfWidth); // E4 ends the left half
    EXPECT_DOUBLE_EQ(g.key(44).left, mkskin::kHalfWidth);  // F4 starts the right one
}

TEST(KeyboardGeometry, BlackKeysSitOffCentreAsOnAPiano)
{
    // Offsets of each black key's centre from the boundary of the white keys it stands between, in
    // white-key widths, for every octave: C# and F# lean left, D# and A# right, G# sits in the middle.
    const KeyboardGeometry g;
    const double w = g.whiteWidth();
    struct Case
    {
        int fromC;    // semitones above C
        double lower; // bounds of the offset
        double upper;
    };
    const Case cases[] = {
        {1, -0.2, -0.05}, {3, 0.02, 0.2}, {6, -0.25, -0.1}, {8, -0.1, 0.0}, {10, 0.05, 0.2}};
    for (int c = 3; c + 10 < KeyboardGeometry::kKeys; c += 12)
        for (const Case& k : cases)
        {
            const int key = c + k.fromC;
            const double boundary = g.key(key - 1).right;
            const double offset = (centre(g.key(key)) - boundary) / w;
            EXPECT_GT(offset, k.lower) << key;
            EXPECT_LT(offset, k.upper) << key;
            const double width = (g.key(key).right - g.key(key).left) / w;
            EXPECT_GT(width, 0.5) << key;
            EXPECT_LT(width, 0.65) << key;
        }
}

TEST(KeyboardGeometry, EveryPixelHasOneOwnerAndBlackKeysEndAboveTheSecondPass)
{
    const KeyboardGeometry g;
    EXPECT_LE(KeyboardGeometry::kBlackEnd, 43);
    std::vector<int> owned(KeyboardGeometry::kKeys);
    for (int y = 0; y < mkskin::kKeyboardHeight; ++y)
        for (int x = 0; x < 2 * mkskin::kHalfWidth; ++x)
        {
            const int owner = g.ownerOf(x, y);
            ASSERT_GE(owner, 0);
            ASSERT_LT(owner, KeyboardGeometry::kKeys);
            ++owned[owner];
            // A black key owns only its own columns and rows; below it the white key takes over.
            const auto& key = g.key(owner);
            EXPECT_TRUE(x + 0.5 >= key.left && x + 0.5 < key.right) << x << "," << y;
            EXPECT_TRUE(!key.black || y < KeyboardGeometry::kBlackEnd) << x << "," << y;
        }
    for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        EXPECT_GT(owned[i], 0) << i;
}
} // namespace
