#include "gui/ImageManager.h"

#include <gtest/gtest.h>

#include "gui/SkinTestSupport.h"

using namespace gui;
using namespace images;

TEST(ImageManager, FailedLoadIsNotCachedAndIsTriedAgain)
{
    SkinFolder folder;
    ImageManager manager;
    const std::string path = folder.Path("later.png");
    EXPECT_EQ(manager.Get(path.c_str()), nullptr);
    EXPECT_EQ(manager.GetCount(path.c_str()), 0);
    folder.WritePattern("later.png", 2, 2);
    EXPECT_NE(manager.Get(path.c_str()), nullptr);
    EXPECT_EQ(manager.Get(""), nullptr);
    EXPECT_EQ(manager.Get(nullptr), nullptr);
}

TEST(ImageManager, NamesInTheSameBucketStayApart)
{
    SkinFolder folder;
    // "ab" and "ba" have the same byte sum and so the same bucket.
    const std::string ab = folder.WritePattern("ab.png", 2, 2), ba = folder.WritePattern("ba.png", 3, 3);
    ImageManager manager;
    CImage* a = manager.Get(ab.c_str());
    CImage* b = manager.Get(ba.c_str());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    manager.Release(ab.c_str());
    EXPECT_EQ(manager.GetCount(ba.c_str()), 1);
    EXPECT_EQ(b->GetWidth(), 3);
}
