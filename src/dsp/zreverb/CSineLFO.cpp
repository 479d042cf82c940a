#include "CSineLFO.h"

#include <cmath>

namespace zreverb
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
}

void CSineLFO::SetFrequency(float hz)
{
    m_frequency = hz;
    const double w = kPi * hz / m_rate;
    m_k = static_cast<float>(2.0 * std::sin(w));
    m_co = static_cast<float>(std::cos(w));
    m_si = 0.0f;
}

void CSineLFO::SetMode(int mode)
{
    switch (mode)
    {
    case 0:
        m_select = 1;
        m_sign = -1.0f;
        break;
    case 1:
        m_select = 0;
        m_sign = -1.0f;
        break;
    case 2:
        m_select = 1;
        m_sign = 1.0f;
        break;
    case 3:
        m_select = 0;
        m_sign = 1.0f;
        break;
    default:
        break;
    }
}

void CSineLFO::Reset()
{
    m_co = static_cast<float>(std::cos(kPi * m_frequency / m_rate));
    m_si = 0.0f;
}

} // namespace zreverb
