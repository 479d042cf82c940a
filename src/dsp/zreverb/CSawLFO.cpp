#include "CSawLFO.h"

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
    switch (mode)
    {
    case 0:
        m_sign = 1.0f;
        break;
    case 1:
        m_sign = 1.0f;
        m_phase += 0.5f;
        break;
    case 2:
        m_sign = -1.0f;
        break;
    case 3:
        m_sign = -1.0f;
        m_phase += 0.5f;
        break;
    default:
        break;
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
