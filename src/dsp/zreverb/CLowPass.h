#pragma once

#include "dsp/zreverb/CLFO.h"
#include "dsp/zreverb/CResLP.h"
#include "dsp/zreverb/ReverbResult.h"

#include <memory>

namespace zreverb
{

// Resonant low-pass for n interleaved channels, one CResLP section per channel, whose cutoff an LFO sweeps
// from the set cutoff towards a sweep end. With the noise LFO the sweep end is 0 Hz and the wander stays
// near the middle, so the effective cutoff is about half the set one.
class CLowPass
{
public:
    // Channels below 1 give kReverbOutOfRange. Every section starts with a constant LFO and the cutoff at
    // half the rate.
    ReverbResult Create(float rate, int channels);

    // Replaces every section's LFO by a new one of that LfoKind at 0.1 Hz; allocates, so not for the audio
    // thread.
    ReverbResult SetLfoType(int kind);
    void SetResonance(float resonance);
    void SetCutoff(float hz);

    float ProcessSample(int section, float x)
    {
        const float l = m_lfos[section]->Next();
        const float fc = (l + 1.0f) * 0.5f * m_span + m_normalisedCutoff + 1e-25f;
        m_currentCutoff[section] = fc;
        return m_sections[section].Process(x, fc, m_resonance);
    }

    // Interleaved frames of Channels() samples; in and out may be the same buffer.
    void Process(const float* in, float* out, int frames);

    // Restarts the LFOs (the noise kind ignores it); filter states are kept.
    void Reset();

    int Channels() const { return m_channels; }
    float Cutoff() const { return m_cutoff; }
    float NormalisedCutoff() const { return m_normalisedCutoff; }
    float Span() const { return m_span; }
    float Resonance() const { return m_resonance; }
    int LfoKind() const { return m_lfoKind; }
    float CurrentCutoff(int section) const { return m_currentCutoff[section]; }
    const CResLP& Section(int section) const { return m_sections[section]; }

private:
    int m_channels = 0;
    float m_rate = 0.0f;
    float m_span = 0.0f;
    float m_sweepEnd = 0.0f;
    float m_lfoFrequency = 0.1f;
    float m_normalisedCutoff = 0.0f;
    float m_cutoff = 0.0f;
    float m_resonance = 0.0f;
    std::unique_ptr<float[]> m_currentCutoff;
    std::unique_ptr<std::unique_ptr<CLFO>[]> m_lfos;
    std::unique_ptr<CResLP[]> m_sections;
    int m_lfoModeStep = 0;
    int m_lfoKind = kLfoNoise;
};

} // namespace zreverb
