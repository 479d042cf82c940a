#include "dsp/zreverb/CSawLFO.h"

#include <cmath>

namespace zreverb
{

float CSawLFO::Next()
{
    const float sum = increment + phase;
    const float p = sum - std::trunc(sum);
    phase = p;
    output = 0.999f * output + 0.001f * 2.0f * sign * (p - 0.5f);
    return output;
}

} // namespace zreverb
