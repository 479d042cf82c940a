#include "dsp/zreverb/CAllPass.h"

namespace zreverb
{

ReverbResult CAllPass::Create(float rateHz, float delaySeconds, float depthSeconds, float lfoFrequency,
                              float coefficient)
{
    if (!(rateHz >= 0.0f))
    {
        return kReverbOutOfRange;
    }
    const ReverbResult result = line.Create(rateHz, 2.0f * delaySeconds + depthSeconds);
    if (result != kReverbOk)
    {
        return result;
    }
    rate = rateHz;
    delay = delaySeconds;
    depth = depthSeconds;
    g = coefficient;
    lfo = CSineLFO(rateHz);
    lfo.SetFrequency(lfoFrequency);
    return kReverbOk;
}

} // namespace zreverb
