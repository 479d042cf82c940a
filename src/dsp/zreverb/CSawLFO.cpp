#include "dsp/zreverb/CSawLFO.h"

#include <cmath>

namespace zreverb
{

void CSawLFO::SetFrequency(float hz)
{
    m_increment = hz / m_rate;
    m_output = 0.0f;
}

void CSawLFO::SetMode(int mode)
{
    m_mode = mode;
    bool shifted = false;
    if (DecodeLfoMode(mode, m_sign, shifted) && shifted)
    {
        m_phase += 0.5f;
    }
}

void CSawLFO::Reset()
{
    m_phase = 0.0f;
    SetMode(m_mode);
}

float CSawLFO::Next()
{
    const float sum = m_increment + m_phase;
    const float p = sum - std::trunc(sum);
    m_phase = p;
    m_output = 0.999f * m_output + 0.001f * 2.0f * m_sign * (p - 0.5f);
    return m_output;
}

} // namespace zreverb
