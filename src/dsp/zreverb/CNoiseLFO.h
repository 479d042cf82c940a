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
    void SetFrequency(float hz) override { m_seed = 0; }
    void SetMode(int mode) override {}
    void Reset() override {}

    float Next() override
    {
        m_seed = m_seed * 1664525u + 1013904223u;
        m_lastRaw = static_cast<float>(static_cast<int32_t>(m_seed)) * 4.6566128730773926e-10f; // 2^-31
        m_output = 0.999f * m_output + 0.001f * m_lastRaw;
        return m_output;
    }

    float LastRaw() const { return m_lastRaw; }

private:
    float m_output = 0.0f;
    float m_lastRaw = 0.0f;
    uint32_t m_seed;
};

} // namespace zreverb
