#include "dsp/zreverb/CSawLFO.h"

#include <cmath>

namespace zreverb
{

float CSawLFO::Next()
{
    const float sum = m_increment + m_phase;
    const float p = sum - std::trunc(sum);
    m_phase = p;
    m_output = 0.999f * m_output + 0.001f * 2.0f * m_sign * (p - 0.5f);
    return m_output;
}

} // namespace zreverb
