#include "dsp/zreverb/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zreverb;

namespace
{

// The reverb draws the same numbers on every system, whatever the host does with the C run-time's generator.
TEST(RuntimeRandom, DrawsTheWindowsRunTimeSequenceWhateverTheHostSeeds)
{
    const struct
    {
        uint32_t seed;
        int draws[5];
    } cases[] = {
        {1, {41, 18467, 6334, 26500, 19169}},
        {0, {38, 7719, 21238, 2437, 8855}},
        {0xFFFFFFFFu, {35, 29739, 3374, 11141, 31308}},
    };
    for (const auto& c : cases)
    {
        SeedRuntimeRandom(c.seed);
        std::srand(12345);
        for (int expected : c.draws)
        {
            std::rand();
            EXPECT_EQ(RuntimeRandom15(), expected) << "seed " << c.seed;
        }
    }
}

} // namespace
