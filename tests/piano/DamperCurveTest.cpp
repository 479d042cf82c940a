#include "piano/DamperCurve.h"

#include <gtest/gtest.h>

using namespace piano;

// 64 and above lifts the dampers away as it always did; 15 and below leaves them resting; every step
// between lifts them a little further.
TEST(DamperCurve, DampsFullyUpTo15NotAtAllFrom64AndLessWithEveryStepBetween)
{
    for (const int value : {0, 1, 15})
        EXPECT_EQ(DamperCurve::damping(value), 1.0f) << value;
    for (const int value : {64, 100, 127})
        EXPECT_EQ(DamperCurve::damping(value), 0.0f) << value;
    float previous = 1.0f;
    for (int value = 16; value <= 63; ++value)
    {
        const float damping = DamperCurve::damping(value);
        EXPECT_LT(damping, previous) << value;
        EXPECT_GT(damping, 0.0f) << value;
        EXPECT_EQ(DamperCurve::lift(value), 1.0f - damping) << value;
        previous = damping;
    }
    EXPECT_FLOAT_EQ(DamperCurve::damping(40), 24.0f / 49.0f);
}
