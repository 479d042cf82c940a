#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

void CPhaseLFO::SetFrequency(float hz)
{
    m_increment = hz / m_rate;
    FrequencyChanged();
}

void CPhaseLFO::SetMode(int mode)
{
    m_mode = mode;
    bool shifted = false;
    if (DecodeLfoMode(mode, m_sign, shifted) && shifted)
    {
        ShiftPhase();
    }
}

void CPhaseLFO::Reset()
{
    ResetPhase();
    SetMode(m_mode);
}

} // namespace zreverb
