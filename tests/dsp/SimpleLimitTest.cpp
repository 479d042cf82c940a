// The output limiter as the instrument sets it up: -0.5 dB threshold, 5 ms attack and look-ahead, 50 ms
// release, at 44100 Hz unless a test says otherwise. Every expectation comes from those numbers, measured
// on the output.
#include "dsp/SimpleLimit.h"

#include "dsp/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <vector>

using namespace dsp;

namespace
{
const double kThreshold = std::pow(10.0, -0.5 / 20.0);
// The attack closes 99 % of a step within the look-ahead, so a peak may leave it up to 1 % above the
// threshold, and no further.
const double kCeiling = kThreshold * 1.01;
constexpr int kLookAhead = 220; // 5 ms

// The same pseudo-random numbers on every platform and library.
class Numbers
{
public:
    explicit Numbers(uint32_t seed) : state(seed) {}
    // [0, 1)
    double unit()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 16777216.0;
    }
    int between(int lowest, int highest)
    {
        return lowest + static_cast<int>(unit() * (highest - lowest + 1));
    }

private:
    uint32_t state;
};

// A string struck every 120 to 400 frames at a loudness from 38 dB below the loudest to the loudest,
// ringing down between the strikes; the right channel hears it a quarter period later, 3 dB quieter.
class StruckSine
{
public:
    StruckSine(double frequency, double rate, uint32_t seed, double loudestDb)
        : step(2.0 * dsptest::kPi * frequency / rate), decay(std::exp(-1.0 / (0.3 * rate))),
          loudest(loudestDb), numbers(seed)
    {
    }
    void next(float& left, float& right)
    {
        if (--untilStrike <= 0)
        {
            amplitude = std::pow(10.0, (loudest - 38.0 * numbers.unit()) / 20.0);
            untilStrike = numbers.between(120, 400);
        }
        left = static_cast<float>(amplitude * std::sin(phase));
        right = static_cast<float>(0.7 * amplitude * std::sin(phase - dsptest::kPi / 2.0));
        phase = std::fmod(phase + step, 2.0 * dsptest::kPi);
        amplitude *= decay;
    }

private:
    double step;
    double decay;
    double loudest;
    Numbers numbers;
    double phase = 0.0;
    double amplitude = 0.0;
    int untilStrike = 0;
};

uint32_t Bits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class SimpleLimitTest : public ::testing::Test
{
protected:
    void SetUp() override { Configure(limiter); }

    static void Configure(SimpleLimit& l, float rate = 44100.0f)
    {
        l.SetSampleRate(rate);
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

// A signal that never rises above the threshold comes out bit for bit as it went in, one look-ahead later,
// as it always has: sounds the limiter has nothing to do with must not change at all.
TEST_F(SimpleLimitTest, QuietSignalsPassBitForBitOneLookAheadLater)
{
    const float limit = limiter.GetThresholdGain(); // exactly, so that frames at the threshold are met too
    for (const float rate : {44100.0f, 48000.0f})
    {
        Numbers numbers(7);
        StruckSine strings(220.0, rate, 11, -0.6);
        const struct
        {
            const char* name;
            std::function<void(int frame, float& left, float& right)> make;
        } signals[] = {
            {"steady",
             [](int, float& l, float& r)
             {
                 l = 0.5f;
                 r = -0.9f;
             }},
            {"at the threshold",
             [&](int frame, float& l, float& r)
             {
                 l = frame % 2 ? limit : -limit;
                 r = limit;
             }},
            {"noise up to the threshold",
             [&](int, float& l, float& r)
             {
                 l = static_cast<float>(2.0 * numbers.unit() - 1.0) * limit;
                 r = static_cast<float>(2.0 * numbers.unit() - 1.0) * limit;
             }},
            {"struck strings under the threshold", [&](int, float& l, float& r) { strings.next(l, r); }},
        };
        for (const auto& signal : signals)
        {
            SimpleLimit quiet;
            Configure(quiet, rate);
            const size_t delay = static_cast<size_t>(quiet.GetLookahead());
            std::vector<float> inLeft(20000);
            std::vector<float> inRight(inLeft.size());
            for (size_t i = 0; i < inLeft.size(); ++i)
                signal.make(static_cast<int>(i), inLeft[i], inRight[i]);
            std::vector<float> left = inLeft;
            std::vector<float> right = inRight;
            quiet.ProcessBlock(left.data(), right.data(), static_cast<int>(left.size()));
            for (size_t i = 0; i < left.size(); ++i)
            {
                const float wantLeft = i < delay ? 0.0f : inLeft[i - delay];
                const float wantRight = i < delay ? 0.0f : inRight[i - delay];
                ASSERT_EQ(Bits(left[i]), Bits(wantLeft))
                    << signal.name << " at " << rate << " Hz, frame " << i;
                ASSERT_EQ(Bits(right[i]), Bits(wantRight))
                    << signal.name << " at " << rate << " Hz, frame " << i;
            }
        }
    }
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

// Struck strings across the keyboard at both common rates, up to 18 dB over full scale: however the strikes
// fall within the look-ahead, every peak leaves the limiter within the attack's 1 % of the threshold.
TEST_F(SimpleLimitTest, StruckStringsLeaveWithinOnePercentOfTheThreshold)
{
    for (const float rate : {44100.0f, 48000.0f})
        for (const double frequency : {27.5, 55.0, 130.8, 261.6, 440.0, 1046.5, 2093.0, 4186.0, 9000.0})
        {
            SimpleLimit struck;
            Configure(struck, rate);
            StruckSine strings(frequency, rate, static_cast<uint32_t>(frequency * 10.0), 18.0);
            float largestIn = 0.0f;
            float largestOut = 0.0f;
            for (int i = 0; i < 3 * static_cast<int>(rate); ++i)
            {
                float left = 0.0f;
                float right = 0.0f;
                strings.next(left, right);
                largestIn = std::fmax(largestIn, std::fabs(left));
                struck.ProcessSample(left, right);
                largestOut = std::fmax(largestOut, std::fmax(std::fabs(left), std::fabs(right)));
            }
            ASSERT_GT(largestIn, 4.0f) << frequency << " Hz at " << rate << " Hz";
            EXPECT_LE(largestOut, kCeiling) << frequency << " Hz at " << rate << " Hz";
        }
}

// A peak is held until it has left the delay line, alone or behind a louder one that took the held peak
// before it came in; released any earlier, the gain opens as the peak comes out.
TEST_F(SimpleLimitTest, APeakIsHeldUntilItLeavesTheDelayLine)
{
    const struct
    {
        float first;
        float second; // 0: none
        int gap;      // frames from the first to the second
    } peaks[] = {{1.0f, 0.0f, 0},   {8.0f, 0.0f, 0},   {100.0f, 0.0f, 0}, {4.0f, 3.9f, 100},
                 {4.0f, 3.9f, 219}, {3.0f, 3.0f, 219}, {3.0f, 3.0f, 220}, {8.0f, 2.0f, 150},
                 {1.2f, 1.1f, 219}, {2.0f, 5.0f, 50}};
    for (const auto& p : peaks)
    {
        limiter.Reset();
        for (int i = 0; i < 500; ++i)
            step(0.0f);
        float largest = 0.0f;
        for (int i = 0; i < 2000; ++i)
        {
            const float in = i == 0 ? p.first : (i == p.gap ? p.second : 0.0f);
            largest = std::fmax(largest, std::fabs(step(in, -0.5f * in)));
        }
        EXPECT_LE(largest, kCeiling) << p.first << " then " << p.second << " " << p.gap << " frames later";
        EXPECT_GT(largest, 0.9f) << p.first << " then " << p.second << " " << p.gap << " frames later";
    }
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
    } blocks[] = {{1, 3.0f}, {2, 0.2f},    {64, 2.0f},   {255, 4.0f}, {1000, 0.5f},
                  {7, 8.0f}, {3000, 0.1f}, {3000, 5.0f}, {64, 0.3f},  {1, 6.0f}};
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

// A sample that is not a number comes out once, whichever frame of the look-ahead it arrives on: the gain
// does not turn NaN with it, and the other channel of that frame is still limited.
TEST_F(SimpleLimitTest, ASampleThatIsNotANumberComesOutOnceAndItsFrameIsStillLimited)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const int before : {0, 1, 100, kLookAhead - 1, kLookAhead, kLookAhead + 1, 2 * kLookAhead - 1})
        for (const float other : {0.5f, 5.0f})
        {
            limiter.Reset();
            for (int i = 0; i < before; ++i)
                step(0.5f, 0.5f);
            step(nan, other);
            for (int i = 1; i < 2 * 44100; ++i)
            {
                const float out = step(0.5f, 0.5f);
                if (i == kLookAhead)
                {
                    ASSERT_TRUE(std::isnan(out)) << before << " frames in";
                    ASSERT_LE(std::fabs(lastRight), kCeiling) << before << " frames in, beside " << other;
                }
                else
                {
                    ASSERT_TRUE(std::isfinite(out) && std::isfinite(lastRight))
                        << before << " frames in, beside " << other << ", frame " << i;
                }
            }
            EXPECT_NEAR(step(0.5f, 0.5f), 0.5f, 0.5f * 1e-4) << before << " frames in, beside " << other;
        }
}

TEST_F(SimpleLimitTest, ChannelsShareOneGain)
{
    for (int i = 0; i < 1000; ++i)
        step(4.0f, 0.25f);
    EXPECT_NEAR(step(4.0f, 0.25f), kThreshold, 1e-5);
    EXPECT_NEAR(lastRight, 0.25 * kThreshold / 4.0, 1e-6);
}

// Reset forgets what the limiter held, wherever in its delay line the loud frames lay.
TEST_F(SimpleLimitTest, ResetEmptiesTheDelayAndOpensTheGain)
{
    for (const int loud : {100, SimpleLimit::kDelaySize - 100, SimpleLimit::kDelaySize - 1})
    {
        limiter.Reset();
        for (int i = 0; i < loud; ++i)
            step(5.0f, -5.0f);
        limiter.Reset();
        for (int i = 0; i < kLookAhead; ++i)
            ASSERT_EQ(step(0.5f), 0.0f) << "after " << loud << " loud frames";
        for (int i = 0; i < 2 * kLookAhead; ++i)
            ASSERT_EQ(step(0.5f), 0.5f) << "after " << loud << " loud frames";
    }
}

// Bursts of noise and single clicks at random loudness: the attack lets some peaks slightly past the
// threshold, but none further than its own 1 %.
TEST_F(SimpleLimitTest, RandomBurstsLeaveWithinOnePercentOfTheThreshold)
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
    EXPECT_GT(largestOut, kThreshold) << "the attack lets peaks just past the threshold";
    EXPECT_LE(largestOut, kCeiling);
}

} // namespace
