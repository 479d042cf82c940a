#pragma once

namespace dsp
{

// Bass / mid / treble control of one channel: two cascades of four one-pole low-passes split the signal at
// the low and high frequency, the middle band is what remains, and the bands are recombined with their
// gains (linear, 1.0 = unity). Audio thread only; gains change between blocks.
class ToneControl
{
public:
    ToneControl(int rate, int lowFrequency, int highFrequency);

    // Clears coefficients, poles and history and recomputes the split coefficients; gains stay.
    void SetSampleRate(int rate);

    void SetLowGain(float gain) { m_lowGain = gain; }
    void SetMidGain(float gain) { m_midGain = gain; }
    void SetHighGain(float gain) { m_highGain = gain; }

    // In place. With all gains exactly 1.0 the buffer and the states are left untouched.
    void Process(float* buffer, int frames);

    float LowCoefficient() const { return m_lf; }
    float HighCoefficient() const { return m_hf; }
    float LowGain() const { return m_lowGain; }
    float MidGain() const { return m_midGain; }
    float HighGain() const { return m_highGain; }
    // Low-split pole states 0..3, then high-split pole states 0..3, then the history h1, h2, h3.
    float State(int i) const;

private:
    void Clear();

    float m_lf = 0.0f;
    float lp[4] = {};
    float m_hf = 0.0f;
    float hp[4] = {};
    float m_h1 = 0.0f;
    float m_h2 = 0.0f;
    float m_h3 = 0.0f;
    int m_lowFrequency;
    int m_highFrequency;
    float m_lowGain = 1.0f;
    float m_midGain = 1.0f;
    float m_highGain = 1.0f;
};

} // namespace dsp
