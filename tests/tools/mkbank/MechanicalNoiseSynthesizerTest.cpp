#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "MechanicalNoiseSynthesizer.h"

namespace
{

using mkbank::MechanicalNoiseSynthesizer;

double PeakDb(const std::vector<float>& s)
{
    float peak = 0.0f;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    return 20.0 * std::log10(peak);
}

// Zero crossings per second: a rough measure of how high a noise sits.
double CrossingRate(const std::vector<float>& s)
{
    size_t crossings = 0;
    for (size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0.0f) != (s[i] < 0.0f);
    return crossings * double{MechanicalNoiseSynthesizer::kSampleRate} / s.size();
}

// Seconds until the level stays 40 dB under the peak.
double RingSeconds(const std::vector<float>& s)
{
    float peak = 0.0f;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    size_t last = 0;
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (std::fabs(s[i]) > peak * 0.01f)
            last = i;
    }
    return double(last) / MechanicalNoiseSynthesizer::kSampleRate;
}

TEST(MechanicalNoiseSynthesizerTest, OnlyTheNoiseKeysHaveASound)
{
    EXPECT_TRUE(MechanicalNoiseSynthesizer::render(120).empty());
    EXPECT_TRUE(MechanicalNoiseSynthesizer::render(0).empty());
    EXPECT_TRUE(MechanicalNoiseSynthesizer::render(108).empty());
    for (int key = 121; key <= 127; ++key)
    {
        EXPECT_FALSE(MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key)).empty()) << key;
    }
}

TEST(MechanicalNoiseSynthesizerTest, PeaksAtItsQuietTargetLevel)
{
    for (int key = 121; key <= 127; ++key)
    {
        const auto sound = MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key));
        const double target = MechanicalNoiseSynthesizer::peakDecibels(static_cast<uint8_t>(key));
        EXPECT_NEAR(PeakDb(sound), target, 0.01) << key;
        EXPECT_LE(target, -20.0) << key;
        EXPECT_GE(target, -40.0) << key;
    }
}

TEST(MechanicalNoiseSynthesizerTest, StartsAndEndsWithoutAClick)
{
    for (int key = 121; key <= 127; ++key)
    {
        const auto sound = MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key));
        const float peak = std::pow(10.0f, static_cast<float>(PeakDb(sound)) / 20.0f);
        EXPECT_LT(std::fabs(sound.front()), peak * 0.01f) << key;
        EXPECT_EQ(sound.back(), 0.0f) << key;
        // The fade must not have cut a loud tail: the last 50 ms are far under the peak.
        const size_t tail = MechanicalNoiseSynthesizer::kSampleRate / 20;
        for (size_t i = sound.size() - tail; i < sound.size(); ++i)
        {
            ASSERT_LT(std::fabs(sound[i]), peak * 0.1f) << key << " at " << i;
        }
    }
}

TEST(MechanicalNoiseSynthesizerTest, KeyReleasesAreLowerLongerAndHeavierTowardsTheBass)
{
    for (int key = 123; key < 127; ++key)
    {
        const auto lower = MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key));
        const auto higher = MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key + 1));
        EXPECT_LT(CrossingRate(lower), CrossingRate(higher)) << key;
        EXPECT_GT(RingSeconds(lower), RingSeconds(higher)) << key;
        EXPECT_GT(PeakDb(lower), PeakDb(higher)) << key;
    }
}

} // namespace
