#include "dsp/zreverb/CSawLFO.h"

#include <cmath>

namespace zreverb
{

void CSawLFO::SetFrequency(float hz)
{
    increment = hz / rate;
    output = 0.0f;
}

void CSawLFO::SetMode(int newMode)
{
    mode = newMode;
    bool shifted = false;
    if (DecodeLfoMode(newMode, sign, shifted) && shifted)
    {
        phase += 0.5f;
    }
}

void CSawLFO::Reset()
{
    phase = 0.0f;
    SetMode(mode);
}

float CSawLFO::Next()
{
    const float sum = increment + phase;
    const float p = sum - std::trunc(sum);
    phase = p;
    output = 0.999f * output + 0.001f * 2.0f * sign * (p - 0.5f);
    return output;
}

} // namespace zreverb
