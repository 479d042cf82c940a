#include "dsp/EnvelopeDetector.h"

#include <cmath>

namespace dsp
{

EnvelopeDetector::EnvelopeDetector(float timeMs, float rate)
    : m_rate(rate), m_time(timeMs), m_coefficient(ExpCoefficient(timeMs, rate))
{
}

float EnvelopeDetector::ExpCoefficient(float timeMs, float rate)
{
    return static_cast<float>(std::exp(-1000.0 / (static_cast<double>(timeMs) * rate)));
}

void EnvelopeDetector::SetTime(float timeMs)
{
    m_time = timeMs;
    UpdateCoefficient();
}

void EnvelopeDetector::SetSampleRate(float rate)
{
    m_rate = rate;
    UpdateCoefficient();
}

void EnvelopeDetector::UpdateCoefficient()
{
    m_coefficient = ExpCoefficient(m_time, m_rate);
}

} // namespace dsp
