#include "dsp/HalfBandUpsampler.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using dsp::HalfBandUpsampler;

namespace
{

struct Stereo
{
    std::vector<float> left;
    std::vector<float> right;
};

// Upsamples the input in output calls of the given sizes (repeated), as a host's blocks would ask.
Stereo Upsample(const std::vector<float>& left, const std::vector<float>& right, std::vector<int> calls)
{
    HalfBandUpsampler upsampler;
    Stereo out;
    size_t consumed = 0;
    for (size_t c = 0; consumed + 1 < left.size(); ++c)
    {
        const int frames = calls[c % calls.size()];
        const int needed = upsampler.InputFramesFor(frames);
        if (consumed + static_cast<size_t>(needed) > left.size())
            break;
        std::vector<float> l(static_cast<size_t>(frames)), r(static_cast<size_t>(frames));
        upsampler.Process(left.data() + consumed, right.data() + consumed, l.data(), r.data(), frames);
        consumed += static_cast<size_t>(needed);
        out.left.insert(out.left.end(), l.begin(), l.end());
        out.right.insert(out.right.end(), r.begin(), r.end());
    }
    return out;
}

// Amplitude of one frequency in a signal (Goertzel), skipping the start-up.
double Level(const std::vector<float>& v, double frequency, double rate, size_t from)
{
    const double w = 2.0 * dsptest::kPi * frequency / rate;
    double re = 0.0;
    double im = 0.0;
    for (size_t i = from; i < v.size(); ++i)
    {
        re += v[i] * std::cos(w * static_cast<double>(i));
        im += v[i] * std::sin(w * static_cast<double>(i));
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(v.size() - from);
}

TEST(HalfBandUpsamplerTest, ToneKeepsItsShapeAtTwiceTheRateAfterTheDelay)
{
    const std::vector<float> in = dsptest::Sine(1000.0, 88200.0, 4000, 0.5);
    const Stereo out = Upsample(in, in, {256});
    const std::vector<float> expected = dsptest::Sine(1000.0, 176400.0, 8000, 0.5);
    ASSERT_GE(out.left.size(), 7000u);
    for (size_t i = 200; i < 7000; ++i)
        ASSERT_NEAR(expected[i - HalfBandUpsampler::kDelayFrames], out.left[i], 2e-5) << i;
}

TEST(HalfBandUpsamplerTest, ImagesOfAudibleTonesStayNinetyDecibelsDown)
{
    for (const double rate : {88200.0, 96000.0})
        for (const double tone : {1000.0, 10000.0, 20000.0})
        {
            const std::vector<float> in = dsptest::Sine(tone, rate, 30000, 0.9);
            const Stereo out = Upsample(in, in, {512});
            const double wanted = Level(out.right, tone, 2.0 * rate, 1000);
            const double image = Level(out.right, rate - tone, 2.0 * rate, 1000);
            EXPECT_NEAR(0.9, wanted, 0.01) << rate << " " << tone;
            EXPECT_LT(20.0 * std::log10(image / wanted), -90.0) << rate << " " << tone;
        }
}

TEST(HalfBandUpsamplerTest, OutputDoesNotDependOnHowTheBlocksAreCut)
{
    std::vector<float> left(3000), right(3000);
    uint32_t seed = 9;
    for (size_t i = 0; i < left.size(); ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        left[i] = static_cast<float>(static_cast<int32_t>(seed)) * 4.6566e-10f;
        right[i] = -0.5f * left[i];
    }
    const Stereo whole = Upsample(left, right, {6000});
    for (const std::vector<int>& calls : {std::vector<int>{1}, {7, 2}, {255, 256, 1}, {3}})
    {
        const Stereo cut = Upsample(left, right, calls);
        const size_t n = std::min(cut.left.size(), whole.left.size());
        ASSERT_GT(n, 5000u);
        for (size_t i = 0; i < n; ++i)
        {
            ASSERT_EQ(whole.left[i], cut.left[i]) << i;
            ASSERT_EQ(whole.right[i], cut.right[i]) << i;
        }
    }
}

TEST(HalfBandUpsamplerTest, ConstantPassesAtUnityAndResetForgetsIt)
{
    HalfBandUpsampler upsampler;
    std::vector<float> in(64, 0.25f), outLeft(127), outRight(127);
    ASSERT_EQ(64, upsampler.InputFramesFor(127));
    upsampler.Process(in.data(), in.data(), outLeft.data(), outRight.data(), 127);
    EXPECT_NEAR(0.25f, outLeft[126], 1e-6f);
    EXPECT_EQ(0, upsampler.InputFramesFor(1)); // the last pair's second frame is waiting
    upsampler.Reset();
    EXPECT_EQ(1, upsampler.InputFramesFor(1));
    std::vector<float> zeros(40, 0.0f);
    upsampler.Process(zeros.data(), zeros.data(), outLeft.data(), outRight.data(), 80);
    for (int i = 0; i < 80; ++i)
        ASSERT_EQ(0.0f, outLeft[i]) << i;
}

} // namespace
