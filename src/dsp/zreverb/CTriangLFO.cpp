#include "dsp/zreverb/CTriangLFO.h"

#include <cmath>

namespace zreverb
{

namespace
{
float Frac(float v)
{
    return v - std::trunc(v);
}
} // namespace

void CTriangLFO::SetFrequency(float hz)
{
    m_increment = hz / m_rate;
}

void CTriangLFO::SetMode(int mode)
{
    m_mode = mode;
    bool shifted = false;
    if (DecodeLfoMode(mode, m_sign, shifted) && shifted)
    {
        m_phase1 += 0.25f;
        m_phase2 += 0.25f;
    }
}

void CTriangLFO::Reset()
{
    m_phase1 = 0.0f;
    m_phase2 = 0.5f;
    SetMode(m_mode);
}

float CTriangLFO::Next()
{
    m_phase1 = Frac(m_increment + m_phase1);
    m_phase2 = Frac(m_phase2 + m_increment);
    m_lastRaw = (m_phase2 - m_phase1) * (m_phase2 - 0.5f) * 4.0f;
    return static_cast<float>((static_cast<double>(m_lastRaw) - 0.5) * m_sign * 1.9993288181);
}

} // namespace zreverb
