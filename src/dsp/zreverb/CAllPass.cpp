#include "dsp/zreverb/CAllPass.h"

namespace zreverb
{

ReverbResult CAllPass::Create(float rate, float delaySeconds, float depthSeconds, float lfoFrequency,
                              float coefficient)
{
    if (!(rate >= 0.0f))
    {
        return kReverbOutOfRange;
    }
    const ReverbResult result = m_line.Create(rate, 2.0f * delaySeconds + depthSeconds);
    if (result != kReverbOk)
    {
        return result;
    }
    m_rate = rate;
    m_delay = delaySeconds;
    m_depth = depthSeconds;
    m_g = coefficient;
    m_lfo = CSineLFO(rate);
    m_lfo.SetFrequency(lfoFrequency);
    return kReverbOk;
}

} // namespace zreverb
