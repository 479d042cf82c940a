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
        Step(seed, lastRaw, output);
        return output;
    }
    // Next over locals: values stored through a float pointer might be the members, which would otherwise
    // go through memory at every step and lengthen the one-pole's chain of dependent operations.
    void Fill(float* values, int count) override
    {
        uint32_t s = seed;
        float raw = lastRaw;
        float out = output;
        for (int i = 0; i < count; ++i)
        {
            Step(s, raw, out);
            values[i] = out;
        }
        seed = s;
        lastRaw = raw;
        output = out;
    }

    float LastRaw() const { return lastRaw; }

private:
    static void Step(uint32_t& s, float& raw, float& out)
    {
        s = s * 1664525u + 1013904223u;
        raw = static_cast<float>(static_cast<int32_t>(s)) * 4.6566128730773926e-10f; // 2^-31
        out = 0.999f * out + 0.001f * raw;
    }

    float output = 0.0f;
    float lastRaw = 0.0f;
    uint32_t seed;
};

} // namespace zreverb
