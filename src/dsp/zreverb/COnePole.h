#pragma once

#include "dsp/zreverb/Lanes.h"

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
        state = state.ZeroBelow(1e-21f);
        state = a * x + b * state;
        return state;
    }

    void Clear() { state = Lanes(); }

    float A() const { return a; }
    float B() const { return b; }
    Lanes State() const { return state; }

private:
    float a = 1.0f;
    float b = 0.0f;
    Lanes state;
};

} // namespace zreverb
