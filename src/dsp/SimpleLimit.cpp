#include "dsp/SimpleLimit.h"

#include <cmath>

namespace dsp
{

void SimpleLimit::FastEnvelope::UpdateCoefficient()
{
    m_coefficient = static_cast<float>(std::pow(0.01, 1000.0 / (static_cast<double>(m_time) * m_rate)));
}

SimpleLimit::SimpleLimit()
{
    m_lookahead = static_cast<int32_t>(m_attack.GetSampleRate() * 0.001);
    m_attack.SetTime(1.0f);
    CacheCoefficients();
}

void SimpleLimit::CacheCoefficients()
{
    m_attackCoefficient = m_attack.GetCoefficient();
    m_releaseCoefficient = m_release.GetCoefficient();
}

void SimpleLimit::SetThreshold(float db)
{
    m_threshold = db;
    m_thresholdGain = static_cast<float>(std::exp(db * std::log(10.0) / 20.0));
}

void SimpleLimit::SetAttack(float ms)
{
    m_lookahead = static_cast<int32_t>(static_cast<double>(m_attack.GetSampleRate()) * ms * 0.001);
    m_attack.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetRelease(float ms)
{
    m_release.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetSampleRate(float rate)
{
    m_attack.SetSampleRate(rate);
    m_release.SetSampleRate(rate);
    CacheCoefficients();
}

void SimpleLimit::Reset()
{
    m_holdCounter = 0;
    m_heldPeak = m_thresholdGain;
    m_envelope = m_thresholdGain;
    m_writeIndex = 0;
    m_delayLeft.fill(0.0f);
    m_delayRight.fill(0.0f);
}

} // namespace dsp
