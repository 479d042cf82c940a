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

float CTriangLFO::Next()
{
    m_phase1 = Frac(m_increment + m_phase1);
    m_phase2 = Frac(m_phase2 + m_increment);
    m_lastRaw = (m_phase2 - m_phase1) * (m_phase2 - 0.5f) * 4.0f;
    return static_cast<float>((static_cast<double>(m_lastRaw) - 0.5) * m_sign * 1.9993288181);
}

} // namespace zreverb
