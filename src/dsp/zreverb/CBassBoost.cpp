#include "dsp/zreverb/CBassBoost.h"

#include <cmath>

namespace zreverb
{

CBassBoost::CBassBoost(float rate, float frequency, float gainDb)
    : m_frequency(frequency), m_gain(gainDb), m_rate(rate)
{
}

void CBassBoost::UpdateCoefficients()
{
    // The single-precision pi is part of the shelf's exact corner.
    constexpr float kPi = 3.1415927f;
    const float v = static_cast<float>(std::pow(10.0, std::fabs(m_gain) / 20.0));
    const float k = static_cast<float>(std::tan(kPi * m_frequency / m_rate));
    const float r = static_cast<float>(std::sqrt(2.0));
    const float s = std::sqrt(2.0f * v);
    const float kk = k * k;
    if (m_gain > 0.0f)
    {
        const float d = 1.0f + r * k + kk;
        m_b0 = (1.0f + s * k + v * kk) / d;
        m_b1 = 2.0f * (v * kk - 1.0f) / d;
        m_b2 = (1.0f - s * k + v * kk) / d;
        m_a1 = -2.0f * (kk - 1.0f) / d;
        m_a2 = -(1.0f - r * k + kk) / d;
    }
    else
    {
        const float d = 1.0f + s * k + v * kk;
        m_b0 = (1.0f + r * k + kk) / d;
        m_b1 = 2.0f * (kk - 1.0f) / d;
        m_b2 = (1.0f - r * k + kk) / d;
        m_a1 = -2.0f * (v * kk - 1.0f) / d;
        m_a2 = -(1.0f - s * k + v * kk) / d;
    }
    m_recalculate = 0;
}

} // namespace zreverb
