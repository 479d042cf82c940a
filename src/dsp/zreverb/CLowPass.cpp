#include "dsp/zreverb/CLowPass.h"

#include "dsp/zreverb/LFOFactory.h"

#include <algorithm>

namespace zreverb
{

ReverbResult CLowPass::Create(float rateHz)
{
    if (!(rateHz > 0.0f))
    {
        return kReverbOutOfRange;
    }
    std::unique_ptr<CLFO> constant;
    const ReverbResult result = CreateLFO(kLfoNone, rateHz, constant);
    if (result != kReverbOk)
    {
        return result;
    }
    rate = rateHz;
    lfo = std::move(constant);
    section = CResLP();
    resonance = 0.0f;
    // The kind reads noise before any LFO of that kind exists, so the sweep ends at 0 Hz from the start.
    lfoKind = kLfoNoise;
    SetCutoff(rateHz * 0.5f);
    return kReverbOk;
}

ReverbResult CLowPass::SetLfoType(int kind)
{
    const float intRate = static_cast<float>(static_cast<int>(rate));
    std::unique_ptr<CLFO> created;
    const ReverbResult result = CreateLFO(kind, intRate, created);
    if (result != kReverbOk)
    {
        return result;
    }
    created->SetFrequency(lfoFrequency);
    created->SetMode(0);
    lfo = std::move(created);
    lfoKind = kind;
    return kReverbOk;
}

void CLowPass::SetResonance(float value)
{
    if (!(value >= 0.0f))
    {
        value = 0.0f;
    }
    else if (value > 4.0f)
    {
        value = 4.0f;
    }
    resonance = value;
}

void CLowPass::SetCutoff(float hz)
{
    const float nyquist = rate * 0.5f;
    if (!(hz >= 0.0f))
    {
        hz = 0.0f;
    }
    else if (hz > nyquist)
    {
        hz = nyquist;
    }
    cutoff = hz;
    normalisedCutoff = 2.0f * hz / rate;
    if (lfoKind == kLfoNoise || !(sweepEnd >= 0.0f))
    {
        sweepEnd = 0.0f;
    }
    else if (sweepEnd > nyquist)
    {
        sweepEnd = nyquist;
    }
    span = 2.0f * (sweepEnd - hz) / rate;
}

void CLowPass::Tune(CResLP::Tunings& tunings, int frames)
{
    // The LFO's steps form one chain of dependent multiplies and adds. Each group of frames is tuned right
    // after the next group's values are drawn, so the tuning runs while that chain waits.
    float values[2][kTuneGroup];
    int pending = -1; // first frame of the group drawn but not yet tuned
    for (int start = 0; start < frames; start += kTuneGroup)
    {
        float* const group = values[(start / kTuneGroup) % 2];
        const int count = std::min(kTuneGroup, frames - start);
        if (lfo)
        {
            lfo->Fill(group, count);
        }
        else
        {
            std::fill(group, group + count, 1.0f);
        }
        if (pending >= 0)
        {
            TuneGroup(values[(pending / kTuneGroup) % 2], tunings, pending, kTuneGroup);
        }
        pending = start;
    }
    if (pending >= 0)
    {
        TuneGroup(values[(pending / kTuneGroup) % 2], tunings, pending, frames - pending);
    }
}

void CLowPass::TuneGroup(const float* values, CResLP::Tunings& tunings, int first, int count)
{
    float cutoffs[kTuneGroup];
    for (int i = 0; i < count; ++i)
    {
        cutoffs[i] = (values[i] + 1.0f) * 0.5f * span + normalisedCutoff + 1e-25f;
    }
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        CResLP::Tune4(cutoffs + i, resonance, tunings, first + i);
    }
    for (; i < count; ++i)
    {
        tunings.Set(first + i, CResLP::Tune(cutoffs[i], resonance));
    }
    currentCutoff = cutoffs[count - 1];
}

void CLowPass::Reset()
{
    if (lfo)
    {
        lfo->Reset();
    }
}

} // namespace zreverb
