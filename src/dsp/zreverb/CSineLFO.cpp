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
    m_frequency = hz;
    const double w = kPi * hz / m_rate;
    m_k = static_cast<float>(2.0 * std::sin(w));
    m_co = static_cast<float>(std::cos(w));
    m_si = 0.0f;
}

void CSineLFO::SetMode(int mode)
{
    // Unlike the ramps, the sine's low modes are the negative ones and "shifted" selects the cosine.
    float sign = 1.0f;
    bool cosine = false;
    if (DecodeLfoMode(mode, sign, cosine))
    {
        m_sign = -sign;
        m_select = cosine ? 0 : 1;
    }
}

void CSineLFO::Reset()
{
    m_co = static_cast<float>(std::cos(kPi * m_frequency / m_rate));
    m_si = 0.0f;
}

} // namespace zreverb
