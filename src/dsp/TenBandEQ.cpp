#include "dsp/TenBandEQ.h"

namespace dsp
{

TenBandEQ::TenBandEQ(float rateHz) : rate(rateHz), left(MakeBands(rateHz)), right(MakeBands(rateHz))
{
    for (int pair = 0; pair < kBands; ++pair)
    {
        left[pair].UpdateCoefficients();
        right[pair].UpdateCoefficients();
    }
    UpdateSkippedBands();
}

std::array<CBiQuadFilter, TenBandEQ::kBands> TenBandEQ::MakeBands(float rateHz)
{
    return {CBiQuadFilter(kBiQuadLowShelf, 32.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadHighShelf, 16000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 63.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 125.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 250.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 500.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 1000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 2000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 4000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 8000.0f, 0.0f, rateHz)};
}

void TenBandEQ::SetSampleRate(float rateHz)
{
    rate = rateHz;
    for (int pair = 0; pair < kBands; ++pair)
    {
        for (CBiQuadFilter* filter : {&left[pair], &right[pair]})
        {
            filter->SetSampleRate(rateHz);
            filter->ClearHistory();
            filter->UpdateCoefficients();
        }
    }
    UpdateSkippedBands();
}

int TenBandEQ::PairOfGainIndex(int gainIndex)
{
    // Gain index 0 is the 32 Hz shelf (pair 0), 9 the 16 kHz shelf (pair 1), 1..8 the peaks (pairs 2..9).
    if (gainIndex == 0)
    {
        return kPair32;
    }
    if (gainIndex == 9)
    {
        return kPair16k;
    }
    return gainIndex + 1;
}

bool TenBandEQ::SetBandGain(int gainIndex, float gainDb)
{
    if (gainIndex < 0 || gainIndex >= kBands)
    {
        return false;
    }
    const int pair = PairOfGainIndex(gainIndex);
    left[pair].SetGain(gainDb);
    left[pair].UpdateCoefficients();
    right[pair].SetGain(gainDb);
    right[pair].UpdateCoefficients();
    return true;
}

float TenBandEQ::BandGain(int gainIndex) const
{
    if (gainIndex < 0 || gainIndex >= kBands)
    {
        return 0.0f;
    }
    return left[PairOfGainIndex(gainIndex)].Gain();
}

void TenBandEQ::UpdateSkippedBands()
{
    const float nyquist = rate / 2.0f;
    run4k = nyquist > 4000.0f;
    run8k = nyquist > 8000.0f;
    run16k = nyquist > 16000.0f;
}

} // namespace dsp
