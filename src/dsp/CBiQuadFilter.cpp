#include "dsp/CBiQuadFilter.h"

#include <cmath>

namespace dsp
{

CBiQuadFilter::CBiQuadFilter(BiQuadType type, float frequency, float gainDb, float rate)
    : m_type(type), m_gain(gainDb), m_frequency(frequency), m_rate(rate)
{
}

void CBiQuadFilter::UpdateCoefficients()
{
    constexpr double kTwoPi = 6.283185307179586;
    constexpr double kHalfLn2 = 0.34657359027997264;
    const float A = static_cast<float>(std::pow(10.0, m_gain * 0.025));
    const float w0 = static_cast<float>(kTwoPi * m_frequency / m_rate);
    const float sn = std::sin(w0);
    const float cs = std::cos(w0);
    const float alpha = sn * static_cast<float>(std::sinh(kHalfLn2 * m_bandwidth * w0 / sn));
    const float beta = std::sqrt(2.0f * A);
    a = A;

    float b0 = 1.0f;
    float b1 = 0.0f;
    float b2 = 0.0f;
    float a0 = 1.0f;
    float a1 = 0.0f;
    float a2 = 0.0f;
    switch (m_type)
    {
    case kBiQuadPeaking:
        b0 = 1.0f + alpha * A;
        b1 = -2.0f * cs;
        b2 = 1.0f - alpha * A;
        a0 = 1.0f + alpha / A;
        a1 = -2.0f * cs;
        a2 = 1.0f - alpha / A;
        break;
    case kBiQuadLowShelf:
        b0 = A * ((A + 1.0f) - (A - 1.0f) * cs + beta * sn);
        b1 = 2.0f * A * ((A - 1.0f) - (A + 1.0f) * cs);
        b2 = A * ((A + 1.0f) - (A - 1.0f) * cs - beta * sn);
        a0 = (A + 1.0f) + (A - 1.0f) * cs + beta * sn;
        a1 = -2.0f * ((A - 1.0f) + (A + 1.0f) * cs);
        a2 = (A + 1.0f) + (A - 1.0f) * cs - beta * sn;
        break;
    case kBiQuadHighShelf:
        b0 = A * ((A + 1.0f) + (A - 1.0f) * cs + beta * sn);
        b1 = -2.0f * A * ((A - 1.0f) + (A + 1.0f) * cs);
        b2 = A * ((A + 1.0f) + (A - 1.0f) * cs - beta * sn);
        a0 = (A + 1.0f) - (A - 1.0f) * cs + beta * sn;
        a1 = 2.0f * ((A - 1.0f) - (A + 1.0f) * cs);
        a2 = (A + 1.0f) - (A - 1.0f) * cs - beta * sn;
        break;
    case kBiQuadLowPass:
        b0 = (1.0f - cs) / 2.0f;
        b1 = 1.0f - cs;
        b2 = (1.0f - cs) / 2.0f;
        a0 = 1.0f + alpha;
        a1 = -2.0f * cs;
        a2 = 1.0f - alpha;
        break;
    case kBiQuadHighPass:
        b0 = (1.0f + cs) / 2.0f;
        b1 = -(1.0f + cs);
        b2 = (1.0f + cs) / 2.0f;
        a0 = 1.0f + alpha;
        a1 = -2.0f * cs;
        a2 = 1.0f - alpha;
        break;
    case kBiQuadBandPass:
        b0 = alpha;
        b1 = 0.0f;
        b2 = -alpha;
        a0 = 1.0f + alpha;
        a1 = -2.0f * cs;
        a2 = 1.0f - alpha;
        break;
    case kBiQuadNotch:
        b0 = 1.0f;
        b1 = -2.0f * cs;
        b2 = 1.0f;
        a0 = 1.0f + alpha;
        a1 = -2.0f * cs;
        a2 = 1.0f - alpha;
        break;
    }
    m_b0 = b0 / a0;
    m_b1 = b1 / a0;
    m_b2 = b2 / a0;
    m_a1 = a1 / a0;
    m_a2 = a2 / a0;
}

void CBiQuadFilter::ClearHistory()
{
    x1 = 0.0f;
    x2 = 0.0f;
    y1 = 0.0f;
    y2 = 0.0f;
}

} // namespace dsp
