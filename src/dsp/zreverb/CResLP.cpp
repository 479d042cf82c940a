#include "dsp/zreverb/CResLP.h"

namespace zreverb
{

namespace
{
const float kCutoffTable[11] = {0.0015f, 0.27f,   0.4802f, 0.6495f, 0.7906f, 0.9018f,
                                0.9979f, 1.0765f, 1.1156f, 1.1378f, 1.16f};
constexpr float kTiny = 1e-25f;
} // namespace

float CResLP::Process(float in, float fc, float resonance)
{
    const float q = resonance * 0.25f;
    int n = static_cast<int>(static_cast<double>(fc) * 10.0);
    // A cutoff at or beyond the table's ends interpolates from the outermost step instead of reading past it.
    if (n < 0)
    {
        n = 0;
    }
    else if (n > 9)
    {
        n = 9;
    }
    const float g = kCutoffTable[n] +
                    (fc - static_cast<float>(n) / 10.0f) * 10.0f * (kCutoffTable[n + 1] - kCutoffTable[n]);
    const float g4 = g * g * g * g;
    m_k = 1.0f - g;
    m_feedback = (3.26f - 0.4f * g4) * q + kTiny;
    m_inputGain = 0.350127f * g4 + kTiny;

    float x = (in - m_feedback * m_s[3]) * m_inputGain;
    for (int stage = 0; stage < 4; ++stage)
    {
        m_s[stage] = x + 0.3f * m_prev[stage] + m_k * m_s[stage] + kTiny;
        m_prev[stage] = x;
        x = m_s[stage];
    }
    m_output = m_s[3] * 0.9999f * m_outputGain + kTiny;
    return m_output;
}

} // namespace zreverb
