#include "dsp/SimpleLimit.h"

#include <cmath>

namespace dsp
{

void SimpleLimit::FastEnvelope::UpdateCoefficient()
{
    coefficient = static_cast<float>(std::pow(0.01, 1000.0 / (static_cast<double>(time) * rate)));
}

SimpleLimit::SimpleLimit()
{
    lookahead = static_cast<int32_t>(attack.GetSampleRate() * 0.001);
    attack.SetTime(1.0f);
    CacheCoefficients();
}

void SimpleLimit::CacheCoefficients()
{
    attackCoefficient = attack.GetCoefficient();
    releaseCoefficient = release.GetCoefficient();
}

void SimpleLimit::SetThreshold(float db)
{
    threshold = db;
    thresholdGain = static_cast<float>(std::exp(db * std::log(10.0) / 20.0));
}

void SimpleLimit::SetAttack(float ms)
{
    lookahead = static_cast<int32_t>(static_cast<double>(attack.GetSampleRate()) * ms * 0.001);
    attack.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetRelease(float ms)
{
    release.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetSampleRate(float rate)
{
    attack.SetSampleRate(rate);
    release.SetSampleRate(rate);
    CacheCoefficients();
}

void SimpleLimit::Reset()
{
    holdCounter = 0;
    heldPeak = thresholdGain;
    envelope = thresholdGain;
    writeIndex = 0;
    delayLeft.fill(0.0f);
    delayRight.fill(0.0f);
}

} // namespace dsp
