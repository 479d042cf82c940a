#pragma once

#include <cmath>
#include <vector>

namespace dsptest
{

constexpr double kPi = 3.14159265358979323846;

inline std::vector<float> Sine(double frequency, double rate, int frames, double amplitude = 1.0)
{
    std::vector<float> out(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        out[static_cast<size_t>(i)] =
            static_cast<float>(amplitude * std::sin(2.0 * kPi * frequency * i / rate));
    return out;
}

// Largest magnitude over [from, end).
inline float PeakFrom(const std::vector<float>& v, size_t from)
{
    float peak = 0.0f;
    for (size_t i = from; i < v.size(); ++i)
        peak = std::fmax(peak, std::fabs(v[i]));
    return peak;
}

// Zero or a normal number: neither NaN, infinity nor denormal.
inline bool IsCleanFloat(float v)
{
    const int c = std::fpclassify(v);
    return c == FP_ZERO || c == FP_NORMAL;
}

} // namespace dsptest
