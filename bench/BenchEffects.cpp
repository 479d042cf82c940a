// Cost of each effect and of the instrument's chain (equaliser -> reverb send -> tone controls ->
// limiter) at 44100 Hz in 256-frame blocks, of the reverb in each preset, and of the upsampler that
// brings the engine up to 176400 or 192000 Hz. Counters (CPU time): time_per_frame is per stereo frame
// (per output frame for the upsampler); realtime is how many seconds of audio one core renders per second
// (the real-time factor). The upsampler also reports its worst stop-band level (stop_band_db).
#include "dsp/HalfBandUpsampler.h"
#include "dsp/ReverbUnit.h"
#include "dsp/SimpleLimit.h"
#include "dsp/TenBandEQ.h"
#include "dsp/ToneControl.h"
#include "dsp/zreverb/ReverbPresets.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace dsp;

namespace
{

constexpr int kRate = 44100;
constexpr int kBlock = 256;
constexpr float kReverbAmount = 0.3f;

// A block of noise with a decaying envelope, repeated each iteration so that no silence path is taken.
struct TestBlock
{
    TestBlock() : left(kBlock), right(kBlock)
    {
        std::mt19937 random(42);
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        for (int i = 0; i < kBlock; ++i)
        {
            const float envelope = 0.6f * (1.0f - static_cast<float>(i) / (2.0f * kBlock));
            left[i] = envelope * unit(random);
            right[i] = envelope * unit(random);
        }
    }
    void CopyTo(std::vector<float>& l, std::vector<float>& r) const
    {
        std::copy(left.begin(), left.end(), l.begin());
        std::copy(right.begin(), right.end(), r.begin());
    }
    std::vector<float> left;
    std::vector<float> right;
};

void Keep(std::vector<float>& left, std::vector<float>& right)
{
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
    benchmark::ClobberMemory();
}

void SetCounters(benchmark::State& state)
{
    const double frames = static_cast<double>(kBlock);
    state.counters["time_per_frame"] = benchmark::Counter(
        frames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["realtime"] =
        benchmark::Counter(frames / kRate, benchmark::Counter::kIsIterationInvariantRate);
}

void ConfigureLimiter(SimpleLimit& limiter)
{
    limiter.SetSampleRate(static_cast<float>(kRate));
    limiter.SetAttack(5.0f);
    limiter.SetRelease(50.0f);
    limiter.SetThreshold(-0.5f);
    limiter.Reset();
}

void SetToneGains(ToneControl& tone)
{
    tone.SetLowGain(1.4f);
    tone.SetMidGain(0.9f);
    tone.SetHighGain(1.2f);
}

void ConfigureEqualiser(TenBandEQ& eq)
{
    // A lid-like curve: every band away from 0 dB.
    const float gains[TenBandEQ::kBands] = {1.5f, 1.0f, 0.5f, 0.0f, -0.5f, -1.0f, -2.0f, -3.0f, -4.5f, -6.0f};
    for (int i = 0; i < TenBandEQ::kBands; ++i)
    {
        eq.SetBandGain(i, gains[i]);
    }
}

void BM_TenBandEQ(benchmark::State& state)
{
    const TestBlock in;
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    TenBandEQ eq(static_cast<float>(kRate));
    ConfigureEqualiser(eq);
    for (auto _ : state)
    {
        in.CopyTo(left, right);
        eq.ProcessBlock(left.data(), right.data(), kBlock);
        Keep(left, right);
    }
    SetCounters(state);
}
BENCHMARK(BM_TenBandEQ);

void BM_ReverbUnit(benchmark::State& state)
{
    const TestBlock in;
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    ReverbUnit reverb(kRate);
    const int preset = static_cast<int>(state.range(0));
    reverb.SetPreset(preset);
    reverb.SetMix(1.0f);
    for (auto _ : state)
    {
        in.CopyTo(left, right);
        reverb.Process(left.data(), right.data(), kBlock);
        Keep(left, right);
    }
    SetCounters(state);
    state.SetLabel(zreverb::ReverbPresetName(preset));
}
BENCHMARK(BM_ReverbUnit)->DenseRange(0, zreverb::kReverbPresetCount - 1);

// The worst level, in dB against the pass band, that the upsampler leaves in its stop band (from 20 kHz
// below the engine's rate to the engine's rate) for an engine at the given rate, from its impulse response.
double StopBandDb(double engineRate)
{
    dsp::HalfBandUpsampler upsampler;
    constexpr int kLength = 4 * dsp::HalfBandUpsampler::kDelayFrames;
    std::vector<float> in(kLength / 2, 0.0f);
    std::vector<float> left(kLength), right(kLength);
    in[0] = 1.0f;
    upsampler.Process(in.data(), in.data(), left.data(), right.data(), kLength);
    const auto level = [&](double hz)
    {
        const double w = 2.0 * 3.14159265358979323846 * hz / (2.0 * engineRate);
        double re = 0.0;
        double im = 0.0;
        for (int i = 0; i < kLength; ++i)
        {
            re += left[static_cast<size_t>(i)] * std::cos(w * i);
            im += left[static_cast<size_t>(i)] * std::sin(w * i);
        }
        return std::hypot(re, im);
    };
    const double pass = level(1000.0);
    double worst = 0.0;
    for (double hz = engineRate - 20000.0; hz <= engineRate; hz += 10.0)
    {
        worst = std::max(worst, level(hz));
    }
    return 20.0 * std::log10(worst / pass);
}

// One block at 176400 Hz from 88200 Hz input.
void BM_HalfBandUpsampler(benchmark::State& state)
{
    const TestBlock in;
    std::vector<float> left(2 * kBlock);
    std::vector<float> right(2 * kBlock);
    dsp::HalfBandUpsampler upsampler;
    for (auto _ : state)
    {
        upsampler.Process(in.left.data(), in.right.data(), left.data(), right.data(), 2 * kBlock);
        Keep(left, right);
    }
    const double frames = 2.0 * kBlock;
    state.counters["time_per_frame"] = benchmark::Counter(
        frames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["realtime"] =
        benchmark::Counter(frames / (4.0 * kRate), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["stop_band_db"] = std::max(StopBandDb(88200.0), StopBandDb(96000.0));
}
BENCHMARK(BM_HalfBandUpsampler);

void BM_ToneControls(benchmark::State& state)
{
    const TestBlock in;
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    ToneControl toneLeft(kRate, 880, 5000);
    ToneControl toneRight(kRate, 880, 5000);
    SetToneGains(toneLeft);
    SetToneGains(toneRight);
    for (auto _ : state)
    {
        in.CopyTo(left, right);
        ToneControl::ProcessPair(toneLeft, toneRight, left.data(), right.data(), kBlock);
        Keep(left, right);
    }
    SetCounters(state);
}
BENCHMARK(BM_ToneControls);

// The limiter on the test block with its left channel doubled: the first hundred or so frames of each
// block go over the threshold, the rest stay under. The "loud" case scales both channels by 5, so that
// most frames go over it: the held peak changes all the time and its candidates come and go in numbers.
void RunLimiter(benchmark::State& state, float leftScale, float rightScale)
{
    TestBlock in;
    for (size_t i = 0; i < in.left.size(); ++i)
    {
        in.left[i] *= leftScale;
        in.right[i] *= rightScale;
    }
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    SimpleLimit limiter;
    ConfigureLimiter(limiter);
    for (auto _ : state)
    {
        in.CopyTo(left, right);
        limiter.ProcessBlock(left.data(), right.data(), kBlock);
        Keep(left, right);
    }
    SetCounters(state);
}

void BM_SimpleLimit(benchmark::State& state)
{
    RunLimiter(state, 2.0f, 1.0f);
}
BENCHMARK(BM_SimpleLimit);

void BM_SimpleLimitLoud(benchmark::State& state)
{
    RunLimiter(state, 5.0f, 5.0f);
}
BENCHMARK(BM_SimpleLimitLoud);

// The instrument's chain on one block as the instrument runs it: the equaliser, the reverb on scratch
// copies added back at the reverb amount, the tone controls per channel, the limiter.
void BM_Chain(benchmark::State& state)
{
    const TestBlock in;
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    std::vector<float> scratchLeft(kBlock);
    std::vector<float> scratchRight(kBlock);
    TenBandEQ eq(static_cast<float>(kRate));
    ConfigureEqualiser(eq);
    ReverbUnit reverb(kRate);
    reverb.SetPreset(0);
    reverb.SetMix(1.0f);
    ToneControl toneLeft(kRate, 880, 5000);
    ToneControl toneRight(kRate, 880, 5000);
    SetToneGains(toneLeft);
    SetToneGains(toneRight);
    SimpleLimit limiter;
    ConfigureLimiter(limiter);
    for (auto _ : state)
    {
        in.CopyTo(left, right);
        eq.ProcessBlock(left.data(), right.data(), kBlock);
        std::copy(left.begin(), left.end(), scratchLeft.begin());
        std::copy(right.begin(), right.end(), scratchRight.begin());
        reverb.Process(scratchLeft.data(), scratchRight.data(), kBlock);
        for (int i = 0; i < kBlock; ++i)
        {
            left[i] += scratchLeft[i] * kReverbAmount;
            right[i] += scratchRight[i] * kReverbAmount;
        }
        ToneControl::ProcessPair(toneLeft, toneRight, left.data(), right.data(), kBlock);
        limiter.ProcessBlock(left.data(), right.data(), kBlock);
        Keep(left, right);
    }
    SetCounters(state);
}
BENCHMARK(BM_Chain);

} // namespace

BENCHMARK_MAIN();
