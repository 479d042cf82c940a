#include "dsp/zreverb/COnePole.h"

#include <gtest/gtest.h>

using namespace zreverb;

TEST(COnePoleTest, NegativeStateIsFlushedBeforeEverySample)
{
    COnePole filter(0.15f, 0.85f);
    EXPECT_FLOAT_EQ(-0.15f, filter.Process(-1.0f).Channel(0));
    EXPECT_FLOAT_EQ(-0.15f, filter.Process(-1.0f).Channel(0));
}

TEST(COnePoleTest, PositiveStateRecurses)
{
    COnePole filter(0.15f, 0.85f);
    EXPECT_FLOAT_EQ(0.15f, filter.Process(1.0f).Channel(0));
    EXPECT_FLOAT_EQ(0.2775f, filter.Process(1.0f).Channel(0));
}

TEST(COnePoleTest, TinyPositiveStateIsFlushed)
{
    COnePole filter(0.5f, 0.5f);
    filter.Process(1.8e-21f).Channel(0); // state 9e-22, below the flush level
    EXPECT_EQ(0.0f, filter.Process(0.0f).Channel(0));
    filter.Process(4e-21f).Channel(0); // state 2e-21 survives one step
    EXPECT_EQ(1e-21f, filter.Process(0.0f).Channel(0));
}

TEST(COnePoleTest, ChannelsKeepTheirOwnState)
{
    COnePole filter(0.15f, 0.85f);
    filter.Process(Lanes(1.0f, -1.0f));
    const Lanes second = filter.Process(Lanes(1.0f, -1.0f));
    EXPECT_FLOAT_EQ(0.2775f, second.Channel(0));
    EXPECT_FLOAT_EQ(-0.15f, second.Channel(1)); // the negative state of channel 1 alone is flushed
}
