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

    explicit TenBandEQ(float rate);

    // Stores the rate in every filter, zeroes every history and recomputes every coefficient.
    void SetSampleRate(float rate);

    // gainIndex 0 = 32 Hz ... 9 = 16 kHz; left filter first. Histories stay. False for a bad index.
    bool SetBandGain(int gainIndex, float gainDb);
    float BandGain(int gainIndex) const;

    void ProcessSample(float& left, float& right)
    {
        for (int pair = kFirstPeak; pair < kFirstPeak + kAlwaysRunPeaks; ++pair)
        {
            left = m_left[pair].Process(left);
            right = m_right[pair].Process(right);
        }
        if (run4k)
        {
            left = m_left[kPair4k].Process(left);
            right = m_right[kPair4k].Process(right);
        }
        if (run8k)
        {
            left = m_left[kPair8k].Process(left);
            right = m_right[kPair8k].Process(right);
        }
        if (run16k)
        {
            left = m_left[kPair16k].Process(left);
            right = m_right[kPair16k].Process(right);
        }
        left = m_left[kPair32].Process(left);
        right = m_right[kPair32].Process(right);
    }

    float SampleRate() const { return m_rate; }
    // Filters in pair order: 32 Hz, 16 kHz, 63, 125, 250, 500, 1000, 2000, 4000, 8000 Hz.
    const CBiQuadFilter& Left(int pair) const { return m_left[pair]; }
    const CBiQuadFilter& Right(int pair) const { return m_right[pair]; }

private:
    static constexpr int kPair32 = 0;
    static constexpr int kPair16k = 1;
    static constexpr int kFirstPeak = 2;      // 63 Hz
    static constexpr int kAlwaysRunPeaks = 6; // 63 ... 2000 Hz
    static constexpr int kPair4k = 8;
    static constexpr int kPair8k = 9;

    static std::array<CBiQuadFilter, kBands> MakeBands(float rate);
    static int PairOfGainIndex(int gainIndex);
    void UpdateSkippedBands();

    float m_rate;
    std::array<CBiQuadFilter, kBands> m_left;
    std::array<CBiQuadFilter, kBands> m_right;
    bool run4k = true;
    bool run8k = true;
    bool run16k = true;
};

} // namespace dsp
