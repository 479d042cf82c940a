#include "dsp/zreverb/CBassBoost.h"

#include <cmath>

namespace zreverb
{

CBassBoost::CBassBoost(float rateHz, float frequencyHz, float gainDb)
    : frequency(frequencyHz), gain(gainDb), rate(rateHz)
{
}

void CBassBoost::UpdateCoefficients()
{
    // The single-precision pi is part of the shelf's exact corner.
    constexpr float kPi = 3.1415927f;
    const float v = static_cast<float>(std::pow(10.0, std::fabs(gain) / 20.0));
    const float k = static_cast<float>(std::tan(kPi * frequency / rate));
    const float r = static_cast<float>(std::sqrt(2.0));
    const float s = std::sqrt(2.0f * v);
    const float kk = k * k;
    if (gain > 0.0f)
    {
        const float d = 1.0f + r * k + kk;
        b0 = (1.0f + s * k + v * kk) / d;
        b1 = 2.0f * (v * kk - 1.0f) / d;
        b2 = (1.0f - s * k + v * kk) / d;
        a1 = -2.0f * (kk - 1.0f) / d;
        a2 = -(1.0f - r * k + kk) / d;
    }
    else
    {
        const float d = 1.0f + s * k + v * kk;
        b0 = (1.0f + r * k + kk) / d;
        b1 = 2.0f * (kk - 1.0f) / d;
        b2 = (1.0f - r * k + kk) / d;
        a1 = -2.0f * (v * kk - 1.0f) / d;
        a2 = -(1.0f - s * k + v * kk) / d;
    }
    recalculate = 0;
}

} // namespace zreverb
