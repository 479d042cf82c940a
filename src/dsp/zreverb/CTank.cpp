#include "dsp/zreverb/CTank.h"

namespace zreverb
{

namespace
{
uint32_t ToSamples(float seconds, float rate)
{
    // Lengths are defined as trunc(x + 0.5); every x here is positive.
    return static_cast<uint32_t>(seconds * rate + 0.5f); // NOLINT(bugprone-incorrect-roundings)
}
} // namespace

ReverbResult CTank::Create(const TankParameters& block)
{
    if (!(block.rate > 0.0f))
    {
        return kReverbOutOfRange;
    }
    m_rate = block.rate;
    m_length1 = ToSamples(block.line1, m_rate);
    m_length2 = ToSamples(block.line2, m_rate);
    for (int i = 0; i < 7; ++i)
    {
        m_tapTime[i] = block.taps[i];
        m_tap[i] = ToSamples(block.taps[i], m_rate);
    }
    m_decay = block.decay;
    m_tapGain = 0.7f;
    m_left = 0.0f;
    m_right = 0.0f;
    m_damping = COnePole(block.dampingA, 1.0f - block.dampingA);
    ReverbResult result = m_line1.Create(static_cast<uint32_t>(static_cast<float>(m_length1) + 1.5f));
    if (result == kReverbOk)
    {
        result = m_line2.Create(static_cast<uint32_t>(static_cast<float>(m_length2) + 1.5f));
    }
    if (result == kReverbOk)
    {
        result = m_modulated.Create(m_rate, block.modulatedDelay, block.modulatedDepth,
                                    block.modulatedLfoFrequency, block.modulatedCoefficient);
    }
    if (result == kReverbOk)
    {
        result = m_second.Create(m_rate, block.secondDelay, block.secondDepth, block.secondLfoFrequency,
                                 block.secondCoefficient);
    }
    return result;
}

void CTank::SetCoefficients(float modulated, float second)
{
    m_modulated.SetCoefficient(modulated);
    m_second.SetCoefficient(second);
}

void CTank::SetDepths(float modulatedSeconds, float secondSeconds)
{
    m_modulated.SetDepth(modulatedSeconds);
    m_second.SetDepth(secondSeconds);
}

void CTank::Clear()
{
    m_line1.Clear();
    m_line2.Clear();
    m_modulated.Clear();
    m_second.Clear();
    m_damping.Clear();
    m_left = 0.0f;
    m_right = 0.0f;
}

} // namespace zreverb
