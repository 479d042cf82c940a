#pragma once

#include "dsp/zreverb/PackedLanes.h"

namespace zreverb
{

// One-pole low-pass y = a x + b y[-1] on both channels. The state is flushed to zero whenever it is below
// 1e-21, a signed test that also clears every negative state; this keeps the recursion out of denormals.
class COnePole
{
public:
    COnePole() = default;
    COnePole(float aValue, float bValue) : a(aValue), b(bValue) {}

    void SetCoefficients(float aValue, float bValue)
    {
        a = aValue;
        b = bValue;
    }

    Lanes Process(Lanes x)
    {
        const Lanes y = a * x + b * Lanes(state).ZeroBelow(1e-21f);
        state = y;
        return y;
    }

    void Clear() { state = PackedLanes(); }

    float A() const { return a.Channel(0); }
    float B() const { return b.Channel(0); }
    Lanes State() const { return state; }

private:
    // Held in both lanes, ready for the per-sample work.
    Lanes a = 1.0f;
    Lanes b = 0.0f;
    PackedLanes state;
};

} // namespace zreverb
