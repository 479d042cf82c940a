#include "dsp/TenBandEQ.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

using namespace dsp;

namespace
{
constexpr int kPair32 = 0;
constexpr int kPair16k = 1;
constexpr int kPair1k = 6;
constexpr int kPair4k = 8;
constexpr int kPair8k = 9;

void Feed(TenBandEQ& eq, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        float l = std::sin(0.37f * static_cast<float>(i));
        float r = std::cos(0.11f * static_cast<float>(i));
        eq.ProcessSample(l, r);
    }
}
} // namespace

TEST(TenBandEQTest, FlatBandsPassTheSignal)
{
    // With every gain at 0 dB each band has b = a, so only rounding remains; the poles near 1 of the
    // 32 Hz shelf accumulate it to about -66 dB at 44100 Hz, far below any audible colouring.
    TenBandEQ eq(44100.0f);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> unit(-0.8f, 0.8f);
    double squares = 0.0;
    const int frames = 10 * 44100;
    for (int i = 0; i < frames; ++i)
    {
        const float inL = unit(random);
        const float inR = std::sin(0.37f * static_cast<float>(i)) * 0.8f;
        float l = inL;
        float r = inR;
        eq.ProcessSample(l, r);
        ASSERT_NEAR(inL, l, 1e-3f) << i;
        ASSERT_NEAR(inR, r, 1e-3f) << i;
        squares += static_cast<double>(l - inL) * (l - inL);
    }
    EXPECT_LT(std::sqrt(squares / frames), 3e-4);
}

TEST(TenBandEQTest, BandsMoveTheirPartOfTheSpectrumOnBothChannels)
{
    const struct
    {
        int band;
        float gain;
        double probe;
        float expected, tolerance;
    } cases[] = {{5, 12.0f, 1000.0, 12.0f, 0.1f}, {5, -6.0f, 1000.0, -6.0f, 0.1f},
                 {5, 12.0f, 15000.0, 0.0f, 0.2f}, {0, 12.0f, 8.0, 12.0f, 0.5f},
                 {0, 12.0f, 8000.0, 0.0f, 0.1f},  {9, -9.0f, 21000.0, -9.0f, 0.5f},
                 {9, -9.0f, 50.0, 0.0f, 0.1f}};
    for (const auto& c : cases)
    {
        TenBandEQ eq(44100.0f);
        ASSERT_TRUE(eq.SetBandGain(c.band, c.gain));
        std::vector<float> left = dsptest::Sine(c.probe, 44100.0, 2 * 44100, 0.1);
        std::vector<float> right = left;
        eq.ProcessBlock(left.data(), right.data(), static_cast<int>(left.size()));
        for (const std::vector<float>* out : {&left, &right})
            EXPECT_NEAR(c.expected, 20.0f * std::log10(dsptest::PeakFrom(*out, 44100) / 0.1f), c.tolerance)
                << "band " << c.band << " at " << c.probe << " Hz";
    }
}

TEST(TenBandEQTest, SettingAGainKeepsTheHistory)
{
    TenBandEQ eq(44100.0f);
    Feed(eq, 100);
    const float y1 = eq.Left(kPair1k).Y1();
    ASSERT_NE(0.0f, y1);
    eq.SetBandGain(5, 6.0f);
    EXPECT_EQ(y1, eq.Left(kPair1k).Y1());
}

TEST(TenBandEQTest, BandsAtOrAboveHalfTheRateAreSkipped)
{
    struct Case
    {
        float rate;
        bool run4k;
        bool run8k;
        bool run16k;
    };
    for (const Case& c : {Case{16000.0f, true, false, false}, Case{22050.0f, true, true, false},
                          Case{32000.0f, true, true, false}, Case{44100.0f, true, true, true},
                          Case{8000.0f, false, false, false}})
    {
        TenBandEQ eq(c.rate);
        Feed(eq, 64);
        EXPECT_EQ(c.run4k, eq.Left(kPair4k).Y1() != 0.0f) << c.rate;
        EXPECT_EQ(c.run8k, eq.Left(kPair8k).Y1() != 0.0f) << c.rate;
        EXPECT_EQ(c.run16k, eq.Right(kPair16k).Y1() != 0.0f) << c.rate;
        EXPECT_NE(0.0f, eq.Right(kPair32).Y1()) << c.rate;
        EXPECT_NE(0.0f, eq.Right(7).Y1()) << c.rate; // 2 kHz always runs
    }
}

TEST(TenBandEQTest, SetSampleRateClearsHistoriesAndRecomputes)
{
    TenBandEQ eq(44100.0f);
    eq.SetBandGain(8, 6.0f);
    Feed(eq, 64);
    eq.SetSampleRate(16000.0f);
    for (int pair = 0; pair < TenBandEQ::kBands; ++pair)
        EXPECT_TRUE(eq.Left(pair).Y1() == 0.0f && eq.Right(pair).Y2() == 0.0f) << pair;
    EXPECT_EQ(6.0f, eq.BandGain(8)); // gains stay
    Feed(eq, 64);
    EXPECT_EQ(0.0f, eq.Left(kPair8k).Y1()); // now above half the rate
}

TEST(TenBandEQTest, BlocksGiveExactlyWhatSingleFramesGive)
{
    // Chains of 7, 8, 9 and 10 bands; blocks of one frame, of two, shorter than the chain, around twice the
    // chain, odd and long.
    for (const float rate : {8000.0f, 16000.0f, 22050.0f, 44100.0f})
    {
        TenBandEQ frames(rate);
        TenBandEQ blocks(rate);
        for (int i = 0; i < TenBandEQ::kBands; ++i)
        {
            frames.SetBandGain(i, static_cast<float>(i) - 4.5f);
            blocks.SetBandGain(i, static_cast<float>(i) - 4.5f);
        }
        std::mt19937 random(5);
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        for (int block : {1, 2, 5, 20, 21, 37, 1024, 1})
        {
            std::vector<float> left(static_cast<size_t>(block)), right(static_cast<size_t>(block));
            for (int i = 0; i < block; ++i)
            {
                left[static_cast<size_t>(i)] = unit(random);
                right[static_cast<size_t>(i)] = unit(random);
            }
            std::vector<float> blockLeft = left, blockRight = right;
            for (int i = 0; i < block; ++i)
                frames.ProcessSample(left[static_cast<size_t>(i)], right[static_cast<size_t>(i)]);
            blocks.ProcessBlock(blockLeft.data(), blockRight.data(), block);
            ASSERT_EQ(left, blockLeft) << rate << " Hz, block " << block;
            ASSERT_EQ(right, blockRight) << rate << " Hz, block " << block;
            // The next block starts from these histories.
            for (int pair = 0; pair < TenBandEQ::kBands; ++pair)
            {
                for (const auto& [a, b] :
                     {std::pair{frames.Left(pair).GetHistory(), blocks.Left(pair).GetHistory()},
                      std::pair{frames.Right(pair).GetHistory(), blocks.Right(pair).GetHistory()}})
                    ASSERT_TRUE(a.x1 == b.x1 && a.x2 == b.x2 && a.y1 == b.y1 && a.y2 == b.y2)
                        << rate << " Hz, block " << block << ", pair " << pair;
            }
        }
    }
}
