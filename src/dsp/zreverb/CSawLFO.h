#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Rising or falling ramp between -1 and 1, smoothed by a slow one-pole so that its jump is softened.
class CSawLFO final : public CLFO
{
public:
    explicit CSawLFO(float rate) : m_rate(rate) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;
    float Next() override;

private:
    float m_rate;
    float m_sign = 1.0f;
    float m_increment = 0.0f;
    int m_mode = 0;
    float m_phase = 0.0f;
    float m_output = 0.0f;
};

} // namespace zreverb
