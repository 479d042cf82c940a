#include "dsp/zreverb/CSineLFO.h"

#include <cmath>

namespace zreverb
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
}

void CSineLFO::SetFrequency(float hz)
{
    frequency = hz;
    const double w = kPi * hz / rate;
    k = static_cast<float>(2.0 * std::sin(w));
    co = static_cast<float>(std::cos(w));
    si = 0.0f;
}

void CSineLFO::SetMode(int mode)
{
    // Unlike the ramps, the sine's low modes are the negative ones and "shifted" selects the cosine.
    float decodedSign = 1.0f;
    bool cosine = false;
    if (DecodeLfoMode(mode, decodedSign, cosine))
    {
        sign = -decodedSign;
        select = cosine ? 0 : 1;
    }
}

void CSineLFO::Reset()
{
    co = static_cast<float>(std::cos(kPi * frequency / rate));
    si = 0.0f;
}

} // namespace zreverb
