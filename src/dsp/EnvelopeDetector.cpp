#include "dsp/EnvelopeDetector.h"

#include <cmath>

namespace dsp
{

EnvelopeDetector::EnvelopeDetector(float timeMs, float rateHz)
    : rate(rateHz), time(timeMs), coefficient(ExpCoefficient(timeMs, rateHz))
{
}

float EnvelopeDetector::ExpCoefficient(float timeMs, float rateHz)
{
    return static_cast<float>(std::exp(-1000.0 / (static_cast<double>(timeMs) * rateHz)));
}

void EnvelopeDetector::SetTime(float timeMs)
{
    time = timeMs;
    UpdateCoefficient();
}

void EnvelopeDetector::SetSampleRate(float rateHz)
{
    rate = rateHz;
    UpdateCoefficient();
}

void EnvelopeDetector::UpdateCoefficient()
{
    coefficient = ExpCoefficient(time, rate);
}

} // namespace dsp
