#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

void CPhaseLFO::SetFrequency(float hz)
{
    increment = hz / rate;
    FrequencyChanged();
}

void CPhaseLFO::SetMode(int newMode)
{
    mode = newMode;
    bool shifted = false;
    if (DecodeLfoMode(newMode, sign, shifted) && shifted)
    {
        ShiftPhase();
    }
}

void CPhaseLFO::Reset()
{
    ResetPhase();
    SetMode(mode);
}

} // namespace zreverb
