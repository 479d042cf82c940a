// The output limiter as the instrument sets it up: -0.5 dB threshold, 5 ms attack and look-ahead, 50 ms
// release, at 44100 Hz. Every expectation comes from those numbers, measured on the output.
#include "dsp/SimpleLimit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace dsp;

namespace
{
const double kThreshold = std::pow(10.0, -0.5 / 20.0);
constexpr int kLookAhead = 220; // 5 ms

class SimpleLimitTest : public ::testing::Test
{
protected:
    void SetUp() override { Configure(limiter); }

    static void Configure(SimpleLimit& l)
    {
        l.SetSampleRate(44100.0f);
        l.SetAttack(5.0f);
        l.SetRelease(50.0f);
        l.SetThreshold(-0.5f);
        l.Reset();
    }

    // Runs one frame; the left output.
    float step(float left, float right = 0.0f)
    {
        limiter.ProcessSample(left, right);
        lastRight = right;
        return left;
    }

    SimpleLimit limiter;
    float lastRight = 0.0f;
};

TEST_F(SimpleLimitTest, QuietSignalsPassUnchangedOneLookAheadLater)
{
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(step(0.0f), 0.0f);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(step(0.5f, -0.9f), i < kLookAhead ? 0.0f : 0.5f) << i;
    EXPECT_EQ(lastRight, -0.9f);
}

// A loud step: its gain is down to the threshold by the time the step comes out (the look-ahead is the
// attack), and after the step the gain opens again within the release time.
TEST_F(SimpleLimitTest, MeasuredAttackAndRelease)
{
    float largest = 0.0f;
    float settled = 0.0f;
    for (int sample = 0; sample < 4000; ++sample)
    {
        const float out = std::fabs(step(sample >= 1000 ? 2.0f : 0.0f));
        largest = std::fmax(largest, out);
        settled = out;
    }
    EXPECT_NEAR(settled, kThreshold, 1e-4) << "settled at the threshold";
    EXPECT_LT(largest, kThreshold * 1.01) << "the first loud sample already comes out limited";
    // Back to a quiet level: the held peak lasts one look-ahead, then the release opens the gain; 99 %
    // of the way within its 50 ms.
    for (int i = 0; i < kLookAhead + kLookAhead + 2205; ++i)
        step(0.1f);
    EXPECT_NEAR(step(0.1f), 0.1f, 0.1f * 0.01 * (2.0 / kThreshold));
}

// The host's block size must not change the sound: blocks of any length, loud and quiet, give exactly what
// single frames give.
TEST_F(SimpleLimitTest, BlocksOfAnyLengthGiveWhatSingleFramesGive)
{
    SimpleLimit blocked;
    Configure(blocked);
    std::mt19937 random(5);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    const struct
    {
        int frames;
        float level;
    } blocks[] = {{1, 3.0f}, {2, 0.2f}, {255, 4.0f}, {1000, 0.5f}, {7, 8.0f}, {3000, 0.1f}};
    for (const auto& b : blocks)
    {
        std::vector<float> left(static_cast<size_t>(b.frames));
        std::vector<float> right(left.size());
        for (size_t i = 0; i < left.size(); ++i)
        {
            left[i] = b.level * unit(random);
            right[i] = b.level * unit(random);
        }
        std::vector<float> outLeft = left;
        std::vector<float> outRight = right;
        blocked.ProcessBlock(outLeft.data(), outRight.data(), b.frames);
        for (size_t i = 0; i < left.size(); ++i)
        {
            ASSERT_EQ(step(left[i], right[i]), outLeft[i]) << b.frames << "-frame block, frame " << i;
            ASSERT_EQ(lastRight, outRight[i]) << b.frames << "-frame block, frame " << i;
        }
    }
}

// One infinite sample comes out once, not as NaN in every frame after it, and within two seconds the gain
// is open again.
TEST_F(SimpleLimitTest, AnInfiniteSampleComesOutOnceAndTheGainRecovers)
{
    for (int i = 0; i < 100; ++i)
        step(0.5f);
    step(0.0f, -INFINITY);
    for (int i = 1; i < 2 * 44100; ++i)
    {
        const float out = step(0.5f);
        if (i != kLookAhead)
        {
            ASSERT_TRUE(std::isfinite(out) && std::isfinite(lastRight)) << "frame " << i;
        }
    }
    EXPECT_NEAR(step(0.5f), 0.5f, 0.5f * 1e-4);
}

TEST_F(SimpleLimitTest, ChannelsShareOneGain)
{
    for (int i = 0; i < 1000; ++i)
        step(4.0f, 0.25f);
    EXPECT_NEAR(step(4.0f, 0.25f), kThreshold, 1e-5);
    EXPECT_NEAR(lastRight, 0.25 * kThreshold / 4.0, 1e-6);
}

TEST_F(SimpleLimitTest, ResetEmptiesTheDelayAndOpensTheGain)
{
    for (int i = 0; i < 100; ++i)
        step(5.0f, -5.0f);
    limiter.Reset();
    for (int i = 0; i < kLookAhead; ++i)
        ASSERT_EQ(step(0.5f), 0.0f);
    EXPECT_EQ(step(0.5f), 0.5f);
}

// Peaks the hold misses come out above the threshold, but never above what the attack covers within the
// look-ahead (99 % of a step) after the release had that long to open the gain (0.01^(5/50)).
TEST_F(SimpleLimitTest, RandomBurstsStayUnderTheBoundOfItsTimes)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> levelDb(-30.0f, 20.0f);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> length(1, 3000);
    float largestIn = 0.0f;
    float largestOut = 0.0f;
    for (int burst = 0; burst < 3000; ++burst)
    {
        const float amplitude = std::pow(10.0f, levelDb(random) / 20.0f);
        const bool click = burst % 3 == 0; // a single sample between gaps
        const int frames = click ? 4000 : length(random);
        for (int i = 0; i < frames; ++i)
        {
            const float in = click ? (i == 0 ? amplitude : 0.0f) : amplitude * unit(random);
            largestIn = std::fmax(largestIn, std::fabs(in));
            const float out = step(in, click ? 0.0f : amplitude * unit(random));
            ASSERT_TRUE(std::isfinite(out));
            largestOut = std::fmax(largestOut, std::fmax(std::fabs(out), std::fabs(lastRight)));
        }
    }
    ASSERT_GT(largestIn, 9.0f);
    EXPECT_GT(largestOut, kThreshold) << "some peak should slip past the hold";
    EXPECT_LE(largestOut, kThreshold / ((1.0 - 0.01) * std::pow(0.01, 5.0 / 50.0)) * 1.005);
}

} // namespace
