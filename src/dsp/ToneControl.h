#pragma once

namespace dsp
{

// Bass / mid / treble control of one channel: two cascades of four one-pole low-passes split the signal at
// the low and high frequency, the middle band is what remains, and the bands are recombined with their
// gains (linear, 1.0 = unity). Audio thread only; gains change between blocks.
class ToneControl
{
public:
    ToneControl(int rate, int lowFrequencyHz, int highFrequencyHz);

    // Clears coefficients, poles and history and recomputes the split coefficients; gains stay.
    void SetSampleRate(int rate);

    void SetLowGain(float gain) { lowGain = gain; }
    void SetMidGain(float gain) { midGain = gain; }
    void SetHighGain(float gain) { highGain = gain; }

    // In place. With all gains exactly 1.0 the buffer and the states are left untouched.
    void Process(float* buffer, int frames);
    // left.Process on leftBuffer and right.Process on rightBuffer; when both run, side by side in SSE
    // lanes, each lane doing the scalar operations in their order.
    static void ProcessPair(ToneControl& left, ToneControl& right, float* leftBuffer, float* rightBuffer,
                            int frames);

    float LowCoefficient() const { return lf; }
    float HighCoefficient() const { return hf; }
    float LowGain() const { return lowGain; }
    float MidGain() const { return midGain; }
    float HighGain() const { return highGain; }
    // Low-split pole states 0..3, then high-split pole states 0..3, then the history h1, h2, h3.
    float State(int i) const;

private:
    void Clear();
    bool IsUnity() const { return lowGain == 1.0f && midGain == 1.0f && highGain == 1.0f; }

    float lf = 0.0f;
    float lp[4] = {};
    float hf = 0.0f;
    float hp[4] = {};
    float h1 = 0.0f;
    float h2 = 0.0f;
    float h3 = 0.0f;
    int lowFrequency;
    int highFrequency;
    float lowGain = 1.0f;
    float midGain = 1.0f;
    float highGain = 1.0f;
};

} // namespace dsp
