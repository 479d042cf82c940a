#pragma once

#include "dsp/zreverb/CLFO.h"

#include <cstdint>

namespace zreverb
{

// Linear-congruential noise through a slow one-pole: a random wander that stays near zero.
class CNoiseLFO final : public CLFO
{
public:
    // The rate is not needed: the noise advances one step per call.
    explicit CNoiseLFO(float rate);

    // The frequency is ignored; the sequence restarts from seed 0 so that sweeps are repeatable.
    void SetFrequency(float hz) override { seed = 0; }
    void SetMode(int mode) override {}
    void Reset() override {}

    float Next() override
    {
        seed = seed * 1664525u + 1013904223u;
        lastRaw = static_cast<float>(static_cast<int32_t>(seed)) * 4.6566128730773926e-10f; // 2^-31
        output = 0.999f * output + 0.001f * lastRaw;
        return output;
    }
    void Fill(float* values, int count) override
    {
        for (int i = 0; i < count; ++i)
        {
            values[i] = Next();
        }
    }

    float LastRaw() const { return lastRaw; }

private:
    float output = 0.0f;
    float lastRaw = 0.0f;
    uint32_t seed;
};

} // namespace zreverb
