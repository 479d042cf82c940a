#pragma once

#include "dsp/zreverb/CLFO.h"
#include "dsp/zreverb/CResLP.h"
#include "dsp/zreverb/ReverbResult.h"

#include <memory>

namespace zreverb
{

// Resonant low-pass of both channels whose cutoff an LFO sweeps from the set cutoff towards a sweep end.
// With the noise LFO the sweep end is 0 Hz and the wander stays near the middle, so the effective cutoff is
// about half the set one. Both channels share the LFO (their own would run in step), so the cutoff of a
// block is worked out once, ahead of its samples.
class CLowPass
{
public:
    // The section starts with a constant LFO and the cutoff at half the rate.
    ReverbResult Create(float rateHz);

    // Replaces the LFO by a new one of that LfoKind at 0.1 Hz; allocates, so not for the audio thread.
    ReverbResult SetLfoType(int kind);
    void SetResonance(float value);
    void SetCutoff(float hz);

    // The tunings of the coming frames: one LFO call for the block, then each frame's cutoff.
    void Tune(CResLP::Tunings& tunings, int frames);

    // Restarts the LFO (the noise kind ignores it); filter states are kept.
    void Reset();

    float Cutoff() const { return cutoff; }
    float NormalisedCutoff() const { return normalisedCutoff; }
    float Span() const { return span; }
    float Resonance() const { return resonance; }
    int LfoKind() const { return lfoKind; }
    float CurrentCutoff() const { return currentCutoff; }
    const CResLP& Section() const { return section; }
    // For a caller that runs the filter on a copy over a block and hands it back.
    void SetSection(const CResLP& value) { section = value; }

private:
    static constexpr int kTuneGroup = 8;

    // The tunings of count (at most kTuneGroup) frames from first on, from their LFO values.
    void TuneGroup(const float* values, CResLP::Tunings& tunings, int first, int count);

    float rate = 0.0f;
    float span = 0.0f;
    float sweepEnd = 0.0f;
    float lfoFrequency = 0.1f;
    float normalisedCutoff = 0.0f;
    float cutoff = 0.0f;
    float resonance = 0.0f;
    float currentCutoff = 0.0f;
    std::unique_ptr<CLFO> lfo;
    CResLP section;
    int lfoKind = kLfoNoise;
};

} // namespace zreverb
