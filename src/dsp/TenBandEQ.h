#pragma once

#include "dsp/CBiQuadFilter.h"

#include <array>

namespace dsp
{

// Stereo graphic equaliser of ten fixed bands (32 Hz shelf, 63 Hz ... 8 kHz peaks, 16 kHz shelf), one
// filter per band and channel. Bands at or above half the rate are skipped and keep their history.
// Audio thread only; gains change between blocks.
class TenBandEQ
{
public:
    static constexpr int kBands = 10;

    explicit TenBandEQ(float rateHz);

    // Stores the rate in every filter, zeroes every history and recomputes every coefficient.
    void SetSampleRate(float rateHz);

    // gainIndex 0 = 32 Hz ... 9 = 16 kHz; left filter first. Histories stay. False for a bad index.
    bool SetBandGain(int gainIndex, float gainDb);
    float BandGain(int gainIndex) const;

    void ProcessSample(float& leftSample, float& rightSample)
    {
        for (int pair = kFirstPeak; pair < kFirstPeak + kAlwaysRunPeaks; ++pair)
        {
            leftSample = left[pair].Process(leftSample);
            rightSample = right[pair].Process(rightSample);
        }
        if (run4k)
        {
            leftSample = left[kPair4k].Process(leftSample);
            rightSample = right[kPair4k].Process(rightSample);
        }
        if (run8k)
        {
            leftSample = left[kPair8k].Process(leftSample);
            rightSample = right[kPair8k].Process(rightSample);
        }
        if (run16k)
        {
            leftSample = left[kPair16k].Process(leftSample);
            rightSample = right[kPair16k].Process(rightSample);
        }
        leftSample = left[kPair32].Process(leftSample);
        rightSample = right[kPair32].Process(rightSample);
    }

    // ProcessSample on every frame of a block, in place, bit for bit. Both channels of two bands run side by
    // side in SSE lanes, and the bands work as a wavefront: while one band filters frame n the next filters
    // frame n - 2, so that the bands' steps are independent of each other and their recursions overlap.
    // Blocks of up to twice the chain's length, too short to fill and drain the wavefront, go frame by frame.
    void ProcessBlock(float* leftBuffer, float* rightBuffer, int frames);

    float SampleRate() const { return rate; }
    // Filters in pair order: 32 Hz, 16 kHz, 63, 125, 250, 500, 1000, 2000, 4000, 8000 Hz.
    const CBiQuadFilter& Left(int pair) const { return left[pair]; }
    const CBiQuadFilter& Right(int pair) const { return right[pair]; }

private:
    static constexpr int kPair32 = 0;
    static constexpr int kPair16k = 1;
    static constexpr int kFirstPeak = 2;      // 63 Hz
    static constexpr int kAlwaysRunPeaks = 6; // 63 ... 2000 Hz
    static constexpr int kPair4k = 8;
    static constexpr int kPair8k = 9;

    static std::array<CBiQuadFilter, kBands> MakeBands(float rateHz);
    // The pairs a frame passes, in order; returns how many.
    int Chain(int (&pairs)[kBands]) const;
    // ProcessBlock for a chain of N bands, two bands to an SSE register.
    template <int N> void ProcessChain(const int* pairs, float* leftBuffer, float* rightBuffer, int frames);
    static int PairOfGainIndex(int gainIndex);
    void UpdateSkippedBands();

    float rate;
    std::array<CBiQuadFilter, kBands> left;
    std::array<CBiQuadFilter, kBands> right;
    bool run4k = true;
    bool run8k = true;
    bool run16k = true;
};

} // namespace dsp
