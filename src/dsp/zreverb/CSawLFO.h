#pragma once

#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

// Rising or falling ramp between -1 and 1, smoothed by a slow one-pole so that its jump is softened.
class CSawLFO final : public CPhaseLFO
{
public:
    explicit CSawLFO(float rateHz) : CPhaseLFO(rateHz) {}

    float Next() override;
    void Fill(float* values, int count) override
    {
        for (int i = 0; i < count; ++i)
        {
            values[i] = Next();
        }
    }

private:
    void FrequencyChanged() override { output = 0.0f; }
    void ShiftPhase() override { phase += 0.5f; }
    void ResetPhase() override { phase = 0.0f; }

    float phase = 0.0f;
    float output = 0.0f;
};

} // namespace zreverb
