#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Triangle built from two saw phases half a cycle apart.
class CTriangLFO final : public CLFO
{
public:
    explicit CTriangLFO(float rateHz) : rate(rateHz) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;
    float Next() override;
    void Fill(float* values, int count) override
    {
        for (int i = 0; i < count; ++i)
        {
            values[i] = Next();
        }
    }

private:
    float rate;
    float sign = 1.0f;
    float increment = 0.0f;
    int mode = 0;
    float phase1 = 0.0f;
    float phase2 = 0.5f;
    float lastRaw = 0.0f;
};

} // namespace zreverb
