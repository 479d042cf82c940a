#pragma once

#include "dsp/zreverb/PackedLanes.h"

namespace zreverb
{

// Second-order low shelf (boost or cut) after Zoelzer on both channels; coefficients are recomputed lazily
// on the next sample after a gain or frequency change.
class CBassBoost
{
public:
    CBassBoost(float rateHz, float frequencyHz, float gainDb);

    void SetGain(float gainDb)
    {
        gain = gainDb;
        recalculate = 1;
    }
    void SetFrequency(float hz)
    {
        frequency = hz;
        recalculate = 1;
    }

    Lanes Process(Lanes x)
    {
        if (recalculate != 0)
        {
            UpdateCoefficients();
        }
        const Lanes y = b0 * x + b1 * Lanes(x1) + b2 * Lanes(x2) + a1 * Lanes(y1) + a2 * Lanes(y2);
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    float Gain() const { return gain; }
    bool NeedsRecalculation() const { return recalculate != 0; }
    Lanes X1() const { return x1; }
    Lanes Y1() const { return y1; }

private:
    void UpdateCoefficients();

    PackedLanes x1;
    PackedLanes x2;
    PackedLanes y1;
    PackedLanes y2;
    // In both lanes, ready for the per-sample work; a1 and a2 carry the sign with which they are added.
    Lanes b0 = 1.0f;
    Lanes b1 = 0.0f;
    Lanes b2 = 0.0f;
    Lanes a1 = 0.0f;
    Lanes a2 = 0.0f;
    float frequency;
    float gain;
    float rate;
    int recalculate = 1;
};

} // namespace zreverb
