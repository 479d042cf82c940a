#pragma once

#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

// Triangle built from two saw phases half a cycle apart.
class CTriangLFO final : public CPhaseLFO
{
public:
    explicit CTriangLFO(float rateHz) : CPhaseLFO(rateHz) {}

    float Next() override;
    void Fill(float* values, int count) override
    {
        for (int i = 0; i < count; ++i)
        {
            values[i] = Next();
        }
    }

private:
    void ShiftPhase() override
    {
        phase1 += 0.25f;
        phase2 += 0.25f;
    }
    void ResetPhase() override
    {
        phase1 = 0.0f;
        phase2 = 0.5f;
    }

    float phase1 = 0.0f;
    float phase2 = 0.5f;
    float lastRaw = 0.0f;
};

} // namespace zreverb
