#include "dsp/zreverb/COnePole.h"

#include <gtest/gtest.h>

using namespace zreverb;

TEST(COnePoleTest, NegativeStateIsFlushedBeforeEverySample)
{
    COnePole filter(0.15f, 0.85f);
    EXPECT_FLOAT_EQ(-0.15f, filter.Process(-1.0f));
    EXPECT_FLOAT_EQ(-0.15f, filter.Process(-1.0f));
}

TEST(COnePoleTest, PositiveStateRecurses)
{
    COnePole filter(0.15f, 0.85f);
    EXPECT_FLOAT_EQ(0.15f, filter.Process(1.0f));
    EXPECT_FLOAT_EQ(0.2775f, filter.Process(1.0f));
}

TEST(COnePoleTest, TinyPositiveStateIsFlushed)
{
    COnePole filter(0.5f, 0.5f);
    filter.Process(1.8e-21f); // state 9e-22, below the flush level
    EXPECT_EQ(0.0f, filter.Process(0.0f));
    filter.Process(4e-21f); // state 2e-21 survives one step
    EXPECT_EQ(1e-21f, filter.Process(0.0f));
}
