#pragma once

#include "dsp/zreverb/PackedLanes.h"

namespace zreverb
{

// Four-pole resonant low-pass on both channels with its cutoff looked up per sample in a ten-step table.
// The 1e-25 offsets keep every stage out of denormals during silence.
class CResLP
{
public:
    // What one sample's cutoff and resonance make of the filter; the same for both channels, so it is
    // worked out once, ahead of the samples it serves.
    struct Tuning
    {
        float k;         // 1 - g
        float feedback;  // (3.26 - 0.4 g^4) q
        float inputGain; // 0.350127 g^4
    };

    // fc is the normalised cutoff (1.0 = half the rate); resonance 0..4.
    static Tuning Tune(float fc, float resonance);

    Lanes Process(Lanes in, const Tuning& tuning)
    {
        Lanes x = (in - tuning.feedback * Lanes(s[3])) * tuning.inputGain;
        for (int stage = 0; stage < 4; ++stage)
        {
            const Lanes y = x + 0.3f * Lanes(prev[stage]) + tuning.k * Lanes(s[stage]) + kTiny;
            s[stage] = y;
            prev[stage] = x;
            x = y;
        }
        const Lanes y = x * 0.9999f * outputGain + kTiny;
        output = y;
        return y;
    }
    Lanes Process(Lanes in, float fc, float resonance) { return Process(in, Tune(fc, resonance)); }

    Lanes StageOutput(int stage) const { return s[stage]; }
    Lanes LastOutput() const { return output; }

private:
    static constexpr float kTiny = 1e-25f;
    static constexpr float kCutoffTable[11] = {0.0015f, 0.27f,   0.4802f, 0.6495f, 0.7906f, 0.9018f,
                                               0.9979f, 1.0765f, 1.1156f, 1.1378f, 1.16f};
    // n / 10 in single precision for each step, so that no division runs per sample (the same rounding).
    static constexpr float kStepStarts[10] = {0.0f / 10.0f, 1.0f / 10.0f, 2.0f / 10.0f, 3.0f / 10.0f,
                                              4.0f / 10.0f, 5.0f / 10.0f, 6.0f / 10.0f, 7.0f / 10.0f,
                                              8.0f / 10.0f, 9.0f / 10.0f};

    PackedLanes prev[4];
    PackedLanes s[4];
    PackedLanes output;
    float outputGain = 1.0f;
};

inline CResLP::Tuning CResLP::Tune(float fc, float resonance)
{
    const float q = resonance * 0.25f;
    int n = static_cast<int>(static_cast<double>(fc) * 10.0);
    // A cutoff at or beyond the table's ends interpolates from the outermost step instead of reading past it.
    if (n < 0)
    {
        n = 0;
    }
    else if (n > 9)
    {
        n = 9;
    }
    const float g = kCutoffTable[n] + (fc - kStepStarts[n]) * 10.0f * (kCutoffTable[n + 1] - kCutoffTable[n]);
    const float g4 = g * g * g * g;
    return Tuning{1.0f - g, (3.26f - 0.4f * g4) * q + kTiny, 0.350127f * g4 + kTiny};
}

} // namespace zreverb
