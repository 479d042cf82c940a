#include <gtest/gtest.h>

#include "platform/native/NativeDoubleClick.h"
#include "platform/native/NativeTimerQueue.h"

using namespace platform;

TEST(NativeTimerQueue, LateWorkFiresOnceNotOncePerMissedPeriod)
{
    NativeTimerQueue q;
    q.Set(7, 10, 0);
    EXPECT_EQ(q.TakeDue(1000), (std::vector<unsigned>{7}));
    EXPECT_TRUE(q.TakeDue(1005).empty());
    EXPECT_EQ(q.TakeDue(1010), (std::vector<unsigned>{7}));
}

TEST(NativeTimerQueue, EarliestDueFiresFirstAndSetAgainRestarts)
{
    NativeTimerQueue q;
    q.Set(1, 30, 0);
    q.Set(2, 20, 0);
    EXPECT_EQ(q.TakeDue(30), (std::vector<unsigned>{2, 1}));
    q.Set(2, 50, 30);
    EXPECT_TRUE(q.Kill(2));
    EXPECT_FALSE(q.Kill(2));
    EXPECT_FALSE(q.IsSet(2));
    EXPECT_EQ(q.MsUntilNext(45), 15);
    q.Clear();
    EXPECT_EQ(q.MsUntilNext(45), -1);
}

TEST(NativeDoubleClick, SecondPressCloseInTimeAndPlace)
{
    NativeDoubleClick d;
    EXPECT_FALSE(d.Press(1000, 10, 10));
    EXPECT_TRUE(d.Press(1500, 14, 6));
    EXPECT_FALSE(d.Press(1600, 14, 6)); // a third press starts over
    EXPECT_FALSE(d.Press(2101, 14, 6)); // 501 ms later: too slow
    EXPECT_FALSE(d.Press(2200, 19, 6)); // 5 pixels away
    EXPECT_TRUE(d.Press(2300, 19, 6));
}
