#pragma once

#include "dsp/zreverb/CAllPass.h"
#include "dsp/zreverb/COnePole.h"
#include "dsp/zreverb/CRingBuffer.h"
#include "dsp/zreverb/TankParameters.h"

namespace zreverb
{

// One half of the recirculating figure-eight tank: modulated allpass, delay line 1, damping, decay,
// second allpass, delay line 2; seven output taps give a left and a right sum.
class CTank
{
public:
    ReverbResult Create(const TankParameters& block);

    // Returns the feedback for the other half; left and right receive this sample's tap sums.
    float Process(float x, float& left, float& right)
    {
        m_left = 0.0f;
        m_right = 0.0f;
        const float a = m_modulated.Process(x);
        m_line1.Push(a);
        const float d = m_line1.Read(m_length1);
        m_left += m_tapGain * (m_line1.Read(m_tap[0]) + m_line1.Read(m_tap[1]));
        m_right -= m_tapGain * m_line1.Read(m_tap[4]);
        const float s = m_damping.Process(d) * m_decay;
        const float b = m_second.Process(s);
        m_line2.Push(b);
        m_left -= m_tapGain * m_second.Line().Read(m_rate * m_tapTime[2]);
        m_left += m_tapGain * m_line2.Read(m_tap[3]);
        m_right -= m_tapGain * m_second.Line().Read(m_rate * m_tapTime[5]);
        m_right -= m_tapGain * m_line2.Read(m_tap[6]);
        left = m_left;
        right = m_right;
        return m_line2.Read(m_length2) * m_decay;
    }

    void SetDecay(float decay) { m_decay = decay; }
    void SetDamping(float a, float b) { m_damping.SetCoefficients(a, b); }
    void SetCoefficients(float modulated, float second);
    void SetDepths(float modulatedSeconds, float secondSeconds);
    void SetTapGain(float gain) { m_tapGain = gain; }

    // Zeroes both delay lines, both allpass lines, the damping state and the accumulators; LFO phases stay.
    void Clear();

    uint32_t Length1() const { return m_length1; }
    uint32_t Length2() const { return m_length2; }
    uint32_t Tap(int i) const { return m_tap[i]; }
    float Decay() const { return m_decay; }
    float TapGain() const { return m_tapGain; }
    const COnePole& Damping() const { return m_damping; }
    const CAllPass& Modulated() const { return m_modulated; }
    const CAllPass& Second() const { return m_second; }

private:
    uint32_t m_length1 = 0;
    uint32_t m_length2 = 0;
    uint32_t m_tap[7] = {};
    float m_rate = 0.0f;
    float m_decay = 0.0f;
    float m_tapGain = 0.7f;
    float m_left = 0.0f;
    float m_right = 0.0f;
    float m_tapTime[7] = {};
    CRingBuffer m_line1;
    CRingBuffer m_line2;
    COnePole m_damping;
    CAllPass m_modulated;
    CAllPass m_second;
};

} // namespace zreverb
