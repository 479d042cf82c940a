#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Magic-circle quadrature oscillator: two multiplies per step, period rate / frequency.
class CSineLFO final : public CLFO
{
public:
    explicit CSineLFO(float rate) : m_rate(rate) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;

    float Next() override
    {
        m_co = m_co - m_k * m_si;
        m_si = m_si + m_k * m_co;
        return (m_select != 0 ? m_si : m_co) * m_sign;
    }

    float Cosine() const { return m_co; }
    float Sine() const { return m_si; }

private:
    float m_rate;
    float m_frequency = 0.0f;
    float m_sign = 1.0f;
    float m_k = 0.0f;
    float m_co = 1.0f;
    float m_si = 0.0f;
    int m_select = 1; // 1 = sine output, 0 = cosine output
};

} // namespace zreverb
