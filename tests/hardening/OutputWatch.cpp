#include "hardening/OutputWatch.h"

#include <cmath>
#include <cstdio>

#include "dsp/SimpleLimit.h"

using namespace dsp;

OutputWatch::OutputWatch(float startRate)
{
    rateChanged(startRate);
}

void OutputWatch::rateChanged(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return;
    // Configured as the instrument configures its limiter for a rate.
    SimpleLimit limiter;
    limiter.SetSampleRate(rate);
    limiter.SetAttack(5.0f);
    limiter.SetRelease(50.0f);
    limiter.SetThreshold(-0.5f);
    const int n = limiter.GetLookahead();
    const double attack = std::pow(static_cast<double>(limiter.GetAttackCoefficient()), n);
    const double release = std::pow(static_cast<double>(limiter.GetReleaseCoefficient()), n);
    threshold_ = limiter.GetThresholdGain();
    ceiling_ = threshold_ / ((1.0 - attack) * release) * 1.00001;
}

std::string OutputWatch::check(const float* left, const float* right, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        for (const float sample : {left[i], right[i]})
        {
            char text[160];
            if (!std::isfinite(sample))
            {
                std::snprintf(text, sizeof text, "sample %d of %d is not finite", i, frames);
                return text;
            }
            const double magnitude = std::fabs(static_cast<double>(sample));
            largest_ = std::fmax(largest_, magnitude);
            if (magnitude > ceiling_)
            {
                std::snprintf(text, sizeof text, "sample %d of %d is %g, above the limiter's bound %g", i,
                              frames, static_cast<double>(sample), ceiling_);
                return text;
            }
        }
    }
    return {};
}
