#include "dsp/zreverb/CLowPass.h"

#include "dsp/zreverb/LFOFactory.h"

#include <new>

namespace zreverb
{

ReverbResult CLowPass::Create(float rate, int channels)
{
    if (channels < 1 || !(rate > 0.0f))
    {
        return kReverbOutOfRange;
    }
    std::unique_ptr<float[]> current(new (std::nothrow) float[channels]());
    std::unique_ptr<std::unique_ptr<CLFO>[]> lfos(new (std::nothrow) std::unique_ptr<CLFO>[channels]);
    std::unique_ptr<CResLP[]> sections(new (std::nothrow) CResLP[channels]);
    if (!current || !lfos || !sections)
    {
        return kReverbAllocFailed;
    }
    for (int i = 0; i < channels; ++i)
    {
        const ReverbResult result = CreateLFO(kLfoNone, rate, lfos[i]);
        if (result != kReverbOk)
        {
            return result;
        }
    }
    m_channels = channels;
    m_rate = rate;
    m_currentCutoff = std::move(current);
    m_lfos = std::move(lfos);
    m_sections = std::move(sections);
    m_resonance = 0.0f;
    // The kind reads noise before any LFO of that kind exists, so the sweep ends at 0 Hz from the start.
    m_lfoKind = kLfoNoise;
    SetCutoff(rate * 0.5f);
    return kReverbOk;
}

ReverbResult CLowPass::SetLfoType(int kind)
{
    const float intRate = static_cast<float>(static_cast<int>(m_rate));
    for (int i = 0; i < m_channels; ++i)
    {
        std::unique_ptr<CLFO> lfo;
        const ReverbResult result = CreateLFO(kind, intRate, lfo);
        if (result != kReverbOk)
        {
            return result;
        }
        lfo->SetFrequency(m_lfoFrequency);
        lfo->SetMode(i * m_lfoModeStep);
        m_lfos[i] = std::move(lfo);
    }
    m_lfoKind = kind;
    return kReverbOk;
}

void CLowPass::SetResonance(float resonance)
{
    if (!(resonance >= 0.0f))
    {
        resonance = 0.0f;
    }
    else if (resonance > 4.0f)
    {
        resonance = 4.0f;
    }
    m_resonance = resonance;
}

void CLowPass::SetCutoff(float hz)
{
    const float nyquist = m_rate * 0.5f;
    if (!(hz >= 0.0f))
    {
        hz = 0.0f;
    }
    else if (hz > nyquist)
    {
        hz = nyquist;
    }
    m_cutoff = hz;
    m_normalisedCutoff = 2.0f * hz / m_rate;
    if (m_lfoKind == kLfoNoise || !(m_sweepEnd >= 0.0f))
    {
        m_sweepEnd = 0.0f;
    }
    else if (m_sweepEnd > nyquist)
    {
        m_sweepEnd = nyquist;
    }
    m_span = 2.0f * (m_sweepEnd - hz) / m_rate;
}

void CLowPass::Process(const float* in, float* out, int frames)
{
    for (int f = 0; f < frames; ++f)
    {
        for (int c = 0; c < m_channels; ++c)
        {
            const int i = f * m_channels + c;
            out[i] = ProcessSample(c, in[i]);
        }
    }
}

void CLowPass::Reset()
{
    for (int i = 0; i < m_channels; ++i)
    {
        m_lfos[i]->Reset();
    }
}

} // namespace zreverb
