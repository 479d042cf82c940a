#pragma once

#include "dsp/zreverb/CRingBuffer.h"

#include <cstdint>

namespace zreverb
{

// Delay line read at fractional positions by linear interpolation between neighbouring pushes.
class CFracDelay
{
public:
    // Length in samples = trunc(rate * seconds + 0.5); the ring holds at least that many.
    ReverbResult Create(float rate, float seconds);

    void Push(float v) { m_ring.Push(v); }

    // d >= 0 samples; d = 0 is the most recent push. The result is also kept as the last output.
    float Read(float d)
    {
        const int i = static_cast<int>(d + 1.0f);
        const float f = d + 1.0f - static_cast<float>(i);
        m_lastOutput = (1.0f - f) * m_ring.Read(static_cast<uint32_t>(i - 1)) +
                       f * m_ring.Read(static_cast<uint32_t>(i));
        return m_lastOutput;
    }

    float ReadInt(uint32_t k) const { return m_ring.Read(k); }

    void Clear()
    {
        m_ring.Clear();
        m_lastOutput = 0.0f;
    }

    int Length() const { return m_length; }
    uint32_t Capacity() const { return m_ring.Size(); }
    float LastOutput() const { return m_lastOutput; }

private:
    CRingBuffer m_ring;
    int m_length = 0;
    float m_lastOutput = 0.0f;
};

} // namespace zreverb
