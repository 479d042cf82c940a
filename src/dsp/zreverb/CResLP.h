#pragma once

#include "dsp/zreverb/Lanes.h"

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
        Lanes x = (in - tuning.feedback * s[3]) * tuning.inputGain;
        for (int stage = 0; stage < 4; ++stage)
        {
            s[stage] = x + 0.3f * prev[stage] + tuning.k * s[stage] + kTiny;
            prev[stage] = x;
            x = s[stage];
        }
        output = s[3] * 0.9999f * outputGain + kTiny;
        return output;
    }
    Lanes Process(Lanes in, float fc, float resonance) { return Process(in, Tune(fc, resonance)); }

    Lanes StageOutput(int stage) const { return s[stage]; }
    Lanes LastOutput() const { return output; }

private:
    static constexpr float kTiny = 1e-25f;

    Lanes prev[4];
    Lanes s[4];
    Lanes output;
    float outputGain = 1.0f;
};

} // namespace zreverb
