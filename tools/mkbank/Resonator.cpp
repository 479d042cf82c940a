#include "mkbank/Resonator.h"

#include <cmath>

namespace mkbank
{

Resonator::Resonator(double frequency, double decaySeconds, double sampleRate)
{
    const double pi = std::acos(-1.0);
    const double r = std::exp(-1.0 / (decaySeconds * sampleRate));
    a1 = 2.0 * r * std::cos(2.0 * pi * frequency / sampleRate);
    a2 = r * r;
    gain = 1.0 - r;
}

} // namespace mkbank
