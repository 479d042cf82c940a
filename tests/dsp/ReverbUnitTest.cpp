#include "dsp/ReverbUnit.h"
#include "dsp/zreverb/CReverb.h"
#include "dsp/zreverb/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace dsp;
using namespace zreverb;

namespace
{

TEST(ReverbUnitTest, MatchesTheReverbOnInterleavedFramesAcrossChunks)
{
    const int frames = 10000; // three chunks: 4096, 4096, 1808
    std::vector<float> left(frames), right(frames), interleaved(2 * frames);
    for (int i = 0; i < frames; ++i)
    {
        left[i] = 0.7f * std::sin(0.013f * static_cast<float>(i)) * ((i / 700) % 2 ? 1.0f : 0.2f);
        right[i] = -0.6f * left[i];
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    // Both reverbs draw the same anti-denormal noise table.
    SeedRuntimeRandom(7);
    CReverb reference;
    ASSERT_EQ(kReverbOk, reference.Create(44100, 2, 0));
    reference.SetMix(1.0f);
    for (int done = 0; done < frames; done += 1000)
        ASSERT_EQ(kReverbOk, reference.Process(&interleaved[2 * done], &interleaved[2 * done], 1000));

    SeedRuntimeRandom(7);
    ReverbUnit unit(44100);
    EXPECT_EQ(kReverbOk, unit.SetMix(1.0f));
    ASSERT_TRUE(unit.Process(left.data(), right.data(), frames));
    for (int i = 0; i < frames; ++i)
    {
        ASSERT_EQ(interleaved[2 * i], left[i]) << i;
        ASSERT_EQ(interleaved[2 * i + 1], right[i]) << i;
    }
}

TEST(ReverbUnitTest, SameRateClearsDifferentRateRebuilds)
{
    ReverbUnit unit(44100);
    unit.SetPreset(3);
    unit.SetMix(1.0f);
    const ReverbHandle before = unit.Handle();
    std::vector<float> left(4096, 0.0f), right(4096, 0.0f);
    left[0] = 1.0f;
    unit.Process(left.data(), right.data(), 4096);
    unit.SetSampleRate(44100);
    EXPECT_EQ(before, unit.Handle());
    EXPECT_EQ(3, unit.Handle()->Preset()); // tuning survives a clear
    std::fill(left.begin(), left.end(), 0.0f);
    std::fill(right.begin(), right.end(), 0.0f);
    unit.Process(left.data(), right.data(), 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LT(std::fabs(left[i]), 1e-6f) << i; // only the kept shelf and feedback memories remain

    unit.SetSampleRate(48000);
    ASSERT_TRUE(unit.HasReverb());
    EXPECT_EQ(48000, unit.SampleRate());
    EXPECT_EQ(48000.0f, unit.Handle()->SampleRate());
}

TEST(ReverbUnitTest, MissingReverbAddsSilence)
{
    ReverbUnit unit(0);
    EXPECT_FALSE(unit.HasReverb());
    std::vector<float> left(256, 0.5f), right(256, -0.5f);
    EXPECT_FALSE(unit.Process(left.data(), right.data(), 256));
    EXPECT_EQ(left, std::vector<float>(256, 0.0f));
    EXPECT_EQ(right, std::vector<float>(256, 0.0f));
    EXPECT_EQ(kReverbNullHandle, unit.SetPreset(0));
    EXPECT_EQ(kReverbNullHandle, unit.SetMix(1.0f));
    unit.SetSampleRate(0); // clears nothing, must not crash
    unit.SetSampleRate(44100);
    EXPECT_TRUE(unit.HasReverb());
    EXPECT_FALSE(unit.Process(nullptr, right.data(), 256));
}

} // namespace
