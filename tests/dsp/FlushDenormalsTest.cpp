#include "dsp/FlushDenormals.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

namespace
{

TEST(FlushDenormalsTest, DenormalsAreZeroInsideAndTheModeComesBackAfter)
{
    volatile float tiny = 1e-38f;
    volatile float half = 0.5f;
    ASSERT_NE(0.0f, tiny * half); // a denormal result without the flush
    // The control bits, not the sticky exception flags that any arithmetic sets.
    const unsigned kControl = ~0x3Fu;
    const unsigned before = _mm_getcsr() & kControl;
    {
        const dsp::FlushDenormals flush;
        EXPECT_EQ(0.0f, tiny * half); // flushed result
        volatile float denormal = 5e-39f;
        EXPECT_EQ(0.0f, denormal * 1e30f); // denormal input read as zero
    }
    EXPECT_EQ(before, _mm_getcsr() & kControl);
    EXPECT_NE(0.0f, tiny * half);
}

} // namespace
