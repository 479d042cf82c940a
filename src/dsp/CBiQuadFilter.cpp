#include "dsp/CBiQuadFilter.h"

#include <cmath>

namespace dsp
{

CBiQuadFilter::CBiQuadFilter(BiQuadType filterType, float frequencyHz, float gainDb, float rateHz)
    : type(filterType), gain(gainDb), frequency(frequencyHz), rate(rateHz)
{
}

void CBiQuadFilter::UpdateCoefficients()
{
    constexpr double kTwoPi = 6.283185307179586;
    constexpr double kHalfLn2 = 0.34657359027997264;
    const float A = static_cast<float>(std::pow(10.0, gain * 0.025));
    const float w0 = static_cast<float>(kTwoPi * frequency / rate);
    const float sn = std::sin(w0);
    const float cs = std::cos(w0);
    const float alpha = sn * static_cast<float>(std::sinh(kHalfLn2 * bandwidth * w0 / sn));
    const float beta = std::sqrt(2.0f * A);
    a = A;

    float rawB0 = 1.0f;
    float rawB1 = 0.0f;
    float rawB2 = 0.0f;
    float rawA0 = 1.0f;
    float rawA1 = 0.0f;
    float rawA2 = 0.0f;
    switch (type)
    {
    case kBiQuadPeaking:
        rawB0 = 1.0f + alpha * A;
        rawB1 = -2.0f * cs;
        rawB2 = 1.0f - alpha * A;
        rawA0 = 1.0f + alpha / A;
        rawA1 = -2.0f * cs;
        rawA2 = 1.0f - alpha / A;
        break;
    case kBiQuadLowShelf:
        rawB0 = A * ((A + 1.0f) - (A - 1.0f) * cs + beta * sn);
        rawB1 = 2.0f * A * ((A - 1.0f) - (A + 1.0f) * cs);
        rawB2 = A * ((A + 1.0f) - (A - 1.0f) * cs - beta * sn);
        rawA0 = (A + 1.0f) + (A - 1.0f) * cs + beta * sn;
        rawA1 = -2.0f * ((A - 1.0f) + (A + 1.0f) * cs);
        rawA2 = (A + 1.0f) + (A - 1.0f) * cs - beta * sn;
        break;
    case kBiQuadHighShelf:
        rawB0 = A * ((A + 1.0f) + (A - 1.0f) * cs + beta * sn);
        rawB1 = -2.0f * A * ((A - 1.0f) + (A + 1.0f) * cs);
        rawB2 = A * ((A + 1.0f) + (A - 1.0f) * cs - beta * sn);
        rawA0 = (A + 1.0f) - (A - 1.0f) * cs + beta * sn;
        rawA1 = 2.0f * ((A - 1.0f) - (A + 1.0f) * cs);
        rawA2 = (A + 1.0f) - (A - 1.0f) * cs - beta * sn;
        break;
    case kBiQuadLowPass:
        rawB0 = (1.0f - cs) / 2.0f;
        rawB1 = 1.0f - cs;
        rawB2 = (1.0f - cs) / 2.0f;
        rawA0 = 1.0f + alpha;
        rawA1 = -2.0f * cs;
        rawA2 = 1.0f - alpha;
        break;
    case kBiQuadHighPass:
        rawB0 = (1.0f + cs) / 2.0f;
        rawB1 = -(1.0f + cs);
        rawB2 = (1.0f + cs) / 2.0f;
        rawA0 = 1.0f + alpha;
        rawA1 = -2.0f * cs;
        rawA2 = 1.0f - alpha;
        break;
    case kBiQuadBandPass:
        rawB0 = alpha;
        rawB1 = 0.0f;
        rawB2 = -alpha;
        rawA0 = 1.0f + alpha;
        rawA1 = -2.0f * cs;
        rawA2 = 1.0f - alpha;
        break;
    case kBiQuadNotch:
        rawB0 = 1.0f;
        rawB1 = -2.0f * cs;
        rawB2 = 1.0f;
        rawA0 = 1.0f + alpha;
        rawA1 = -2.0f * cs;
        rawA2 = 1.0f - alpha;
        break;
    }
    b0 = rawB0 / rawA0;
    b1 = rawB1 / rawA0;
    b2 = rawB2 / rawA0;
    a1 = rawA1 / rawA0;
    a2 = rawA2 / rawA0;
}

void CBiQuadFilter::ClearHistory()
{
    x1 = 0.0f;
    x2 = 0.0f;
    y1 = 0.0f;
    y2 = 0.0f;
}

} // namespace dsp
