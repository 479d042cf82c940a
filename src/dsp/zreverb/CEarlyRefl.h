#pragma once

#include "dsp/zreverb/COnePole.h"
#include "dsp/zreverb/CRingBuffer.h"

namespace zreverb
{

// Six-tap early reflections of one channel with a short filtered cross path between the two tap groups.
class CEarlyRefl
{
public:
    static constexpr int kTaps = 6;

    // Tap gains are the base gains times level; the tap positions start at size 1.0.
    ReverbResult Create(float rate, float level);

    // Tap position = trunc((rate * base time + 0.5) * 4 * size); reads are masked, so any size is safe.
    void SetEarlySize(float size);
    void SetGains(const float (&gains)[kTaps]);
    void SetInputFilter(float a, float b) { m_inputFilter.SetCoefficients(a, b); }

    // channel 0 or 1 decides which tap group feeds which output.
    void Process(int channel, float p, float& er0, float& er1)
    {
        const float e = m_inputFilter.Process(p);
        m_line.Push(e);
        const float s1 = m_line.Read(m_tap[0]) * m_gain[0] + m_line.Read(m_tap[2]) * m_gain[2] +
                         m_line.Read(m_tap[4]) * m_gain[4];
        const float s2 = m_line.Read(m_tap[1]) * m_gain[1] + m_line.Read(m_tap[3]) * m_gain[3] +
                         m_line.Read(m_tap[5]) * m_gain[5];
        const float u = channel == 0 ? s2 : s1;
        const float v = channel == 0 ? s1 : s2;
        m_cross0.Push(u);
        m_cross1.Push(v);
        er0 = 0.7f * (v + m_crossFilter0.Process(m_cross0.Read(m_crossDelay)));
        er1 = 0.7f * (u + m_crossFilter1.Process(m_cross1.Read(m_crossDelay)));
    }

    // Zeroes the three lines and the states of the cross and input filters.
    void Clear();

    uint32_t TapPosition(int i) const { return m_tap[i]; }
    uint32_t CrossDelay() const { return m_crossDelay; }
    float Gain(int i) const { return m_gain[i]; }
    const COnePole& InputFilter() const { return m_inputFilter; }

private:
    float m_rate = 0.0f;
    float m_gain[kTaps] = {};
    uint32_t m_crossDelay = 0;
    uint32_t m_tap[kTaps] = {};
    CRingBuffer m_line;
    CRingBuffer m_cross0;
    CRingBuffer m_cross1;
    COnePole m_crossFilter0{0.15f, 0.85f};
    COnePole m_crossFilter1{0.15f, 0.85f};
    COnePole m_inputFilter{1.0f, 0.0f};
};

} // namespace zreverb
