#include "dsp/zreverb/CTriangLFO.h"

#include <cmath>

namespace zreverb
{

namespace
{
float Frac(float v)
{
    return v - std::trunc(v);
}
} // namespace

float CTriangLFO::Next()
{
    phase1 = Frac(increment + phase1);
    phase2 = Frac(phase2 + increment);
    lastRaw = (phase2 - phase1) * (phase2 - 0.5f) * 4.0f;
    return static_cast<float>((static_cast<double>(lastRaw) - 0.5) * sign * 1.9993288181);
}

} // namespace zreverb
