#pragma once

#include "dsp/zreverb/CFracDelay.h"
#include "dsp/zreverb/CSineLFO.h"

namespace zreverb
{

// Schroeder allpass on a fractional delay whose length a sine LFO may modulate.
class CAllPass
{
public:
    CAllPass() = default;

    // The line holds 2 * delay + depth seconds. A negative rate is refused with kReverbOutOfRange.
    ReverbResult Create(float rate, float delaySeconds, float depthSeconds, float lfoFrequency,
                        float coefficient);

    void SetCoefficient(float g) { m_g = g; }
    void SetDepth(float seconds) { m_depth = seconds; }

    // The delayed value is read before this sample is pushed, so a negative g adds it at the input.
    float Process(float x)
    {
        const float d = (m_depth == 0.0f) ? m_rate * m_delay : m_rate * (m_lfo.Next() * m_depth + m_delay);
        const float y = m_line.Read(d);
        const float v = x - m_g * y;
        m_line.Push(v);
        return m_g * v + y;
    }

    void Clear() { m_line.Clear(); }

    CFracDelay& Line() { return m_line; }
    const CFracDelay& Line() const { return m_line; }
    const CSineLFO& Lfo() const { return m_lfo; }
    float Coefficient() const { return m_g; }
    float Depth() const { return m_depth; }

private:
    CFracDelay m_line;
    CSineLFO m_lfo{1.0f};
    float m_rate = 0.0f;
    float m_delay = 0.0f;
    float m_g = 0.0f;
    float m_depth = 0.0f;
};

} // namespace zreverb
