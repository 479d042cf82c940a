#include "dsp/zreverb/CFracDelay.h"

namespace zreverb
{

ReverbResult CFracDelay::Create(float rate, float seconds)
{
    const float samples = rate * seconds + 0.5f;
    if (!(samples >= 0.0f) || samples > 16777216.0f)
    {
        return kReverbOutOfRange;
    }
    m_length = static_cast<int>(samples);
    m_lastOutput = 0.0f;
    return m_ring.Create(static_cast<uint32_t>(m_length));
}

} // namespace zreverb
