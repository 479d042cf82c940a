#pragma once

namespace zreverb
{

// Four-pole resonant low-pass with its cutoff looked up per sample in a ten-step table. The 1e-25 offsets
// keep every stage out of denormals during silence.
class CResLP
{
public:
    // fc is the normalised cutoff (1.0 = half the rate); resonance 0..4.
    float Process(float in, float fc, float resonance);

    float StageOutput(int stage) const { return m_s[stage]; }
    float LastOutput() const { return m_output; }

private:
    float m_prev[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float m_s[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float m_output = 0.0f;
    float m_k = 0.0f;
    float m_feedback = 0.0f;
    float m_outputGain = 1.0f;
    float m_inputGain = 0.0f;
};

} // namespace zreverb
