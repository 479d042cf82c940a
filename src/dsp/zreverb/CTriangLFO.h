#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Triangle built from two saw phases half a cycle apart.
class CTriangLFO final : public CLFO
{
public:
    explicit CTriangLFO(float rate) : m_rate(rate) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;
    float Next() override;

private:
    float m_rate;
    float m_sign = 1.0f;
    float m_increment = 0.0f;
    int m_mode = 0;
    float m_phase1 = 0.0f;
    float m_phase2 = 0.5f;
    float m_lastRaw = 0.0f;
};

} // namespace zreverb
