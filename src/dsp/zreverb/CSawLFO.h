#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Rising or falling ramp between -1 and 1, smoothed by a slow one-pole so that its jump is softened.
class CSawLFO final : public CLFO
{
public:
    explicit CSawLFO(float rateHz) : rate(rateHz) {}

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
    float phase = 0.0f;
    float output = 0.0f;
};

} // namespace zreverb
