#pragma once

#include "dsp/zreverb/CPhaseLFO.h"

namespace zreverb
{

// Triangle built from two saw phases half a cycle apart.
class CTriangLFO final : public CPhaseLFO
{
public:
    explicit CTriangLFO(float rate) : CPhaseLFO(rate) {}

    float Next() override;

private:
    void ShiftPhase() override
    {
        m_phase1 += 0.25f;
        m_phase2 += 0.25f;
    }
    void ResetPhase() override
    {
        m_phase1 = 0.0f;
        m_phase2 = 0.5f;
    }

    float m_phase1 = 0.0f;
    float m_phase2 = 0.5f;
    float m_lastRaw = 0.0f;
};

} // namespace zreverb
