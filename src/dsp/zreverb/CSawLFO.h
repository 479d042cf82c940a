#pragma once

#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

// Rising or falling ramp between -1 and 1, smoothed by a slow one-pole so that its jump is softened.
class CSawLFO final : public CPhaseLFO
{
public:
    explicit CSawLFO(float rate) : CPhaseLFO(rate) {}

    float Next() override;

private:
    void FrequencyChanged() override { m_output = 0.0f; }
    void ShiftPhase() override { m_phase += 0.5f; }
    void ResetPhase() override { m_phase = 0.0f; }

    float m_phase = 0.0f;
    float m_output = 0.0f;
};

} // namespace zreverb
