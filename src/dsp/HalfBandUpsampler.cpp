#include "dsp/HalfBandUpsampler.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace dsp
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Kaiser window shape: about 100 dB of stop band with eight taps a side.
constexpr double kBeta = 11.0;

double BesselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; term > 1e-20 * sum; ++k)
    {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}
} // namespace

HalfBandUpsampler::HalfBandUpsampler()
{
    // The ideal half-band interpolator samples sinc at the half-integers; the window ends it after
    // kTapsPerSide of them, and the sum is scaled so that a constant passes unchanged.
    double taps[kTapsPerSide];
    double sum = 0.0;
    for (int j = 0; j < kTapsPerSide; ++j)
    {
        const double t = j + 0.5;
        const double sinc = std::sin(kPi * t) / (kPi * t);
        const double r = t / kTapsPerSide;
        taps[j] = sinc * BesselI0(kBeta * std::sqrt(1.0 - r * r)) / BesselI0(kBeta);
        sum += 2.0 * taps[j];
    }
    for (int j = 0; j < kTapsPerSide; ++j)
    {
        coefficients[j] = static_cast<float>(taps[j] / sum);
    }
}

void HalfBandUpsampler::Reset()
{
    std::fill(std::begin(historyLeft), std::end(historyLeft), 0.0f);
    std::fill(std::begin(historyRight), std::end(historyRight), 0.0f);
    position = 0;
    pending = false;
    pendingLeft = 0.0f;
    pendingRight = 0.0f;
}

int HalfBandUpsampler::InputFramesFor(int outputFrames) const
{
    const int fresh = outputFrames - (pending ? 1 : 0);
    return fresh > 0 ? (fresh + 1) / 2 : 0;
}

void HalfBandUpsampler::Push(float leftSample, float rightSample)
{
    historyLeft[position] = leftSample;
    historyLeft[position + kHistory] = leftSample;
    historyRight[position] = rightSample;
    historyRight[position + kHistory] = rightSample;
    position = (position + 1) % kHistory;
}

float HalfBandUpsampler::Interpolated(const float* history) const
{
    // history[0] is the oldest of the last kHistory inputs; the point filled in lies between
    // history[kTapsPerSide - 1] and history[kTapsPerSide].
    float sum = 0.0f;
    for (int j = 0; j < kTapsPerSide; ++j)
    {
        sum += coefficients[j] * (history[kTapsPerSide - 1 - j] + history[kTapsPerSide + j]);
    }
    return sum;
}

void HalfBandUpsampler::Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                                int outputFrames)
{
    int out = 0;
    if (pending && out < outputFrames)
    {
        outLeft[out] = pendingLeft;
        outRight[out] = pendingRight;
        ++out;
        pending = false;
    }
    for (int in = 0; out < outputFrames; ++in)
    {
        Push(inLeft[in], inRight[in]);
        const float* left = historyLeft + position;
        const float* right = historyRight + position;
        // The input frame half a window back, then the point between it and the next.
        outLeft[out] = left[kTapsPerSide - 1];
        outRight[out] = right[kTapsPerSide - 1];
        ++out;
        const float interpolatedLeft = Interpolated(left);
        const float interpolatedRight = Interpolated(right);
        if (out < outputFrames)
        {
            outLeft[out] = interpolatedLeft;
            outRight[out] = interpolatedRight;
            ++out;
        }
        else
        {
            pending = true;
            pendingLeft = interpolatedLeft;
            pendingRight = interpolatedRight;
        }
    }
}

} // namespace dsp
