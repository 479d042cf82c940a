#include "hardening/OutputWatch.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr double kThresholdDb = -0.5;
constexpr double kAttackMs = 5.0;
constexpr double kReleaseMs = 50.0;
// The part of a step the envelope has not yet covered after its time.
constexpr double kLeftAfterTime = 0.01;
// The look-ahead is the attack time rounded down to whole samples.
constexpr double kRoundingMargin = 1.005;
} // namespace

double OutputWatch::threshold()
{
    return std::pow(10.0, kThresholdDb / 20.0);
}

double OutputWatch::ceiling()
{
    return threshold() / ((1.0 - kLeftAfterTime) * std::pow(kLeftAfterTime, kAttackMs / kReleaseMs)) *
           kRoundingMargin;
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
            largestSeen = std::fmax(largestSeen, magnitude);
            if (magnitude > ceiling())
            {
                std::snprintf(text, sizeof text, "sample %d of %d is %g, above the limiter's bound %g", i,
                              frames, static_cast<double>(sample), ceiling());
                return text;
            }
        }
    }
    return {};
}
