#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Magic-circle quadrature oscillator: two multiplies per step, period rate / frequency.
class CSineLFO final : public CLFO
{
public:
    explicit CSineLFO(float rateHz) : rate(rateHz) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;

    float Next() override
    {
        co = co - k * si;
        si = si + k * co;
        return (select != 0 ? si : co) * sign;
    }
    void Fill(float* values, int count) override
    {
        for (int i = 0; i < count; ++i)
        {
            values[i] = Next();
        }
    }

    float Cosine() const { return co; }
    float Sine() const { return si; }
    // What Next works with, for a caller that runs several oscillators side by side and hands their state
    // back.
    float K() const { return k; }
    float Sign() const { return sign; }
    bool SineSelected() const { return select != 0; }
    void SetState(float cosine, float sine)
    {
        co = cosine;
        si = sine;
    }

private:
    float rate;
    float frequency = 0.0f;
    float sign = 1.0f;
    float k = 0.0f;
    float co = 1.0f;
    float si = 0.0f;
    int select = 1; // 1 = sine output, 0 = cosine output
};

} // namespace zreverb
