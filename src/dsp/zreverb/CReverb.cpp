#include "dsp/zreverb/CReverb.h"

#include "dsp/zreverb/RuntimeRandom.h"

#include <cmath>

namespace zreverb
{

namespace
{
// Clamps value into [low, high] (a NaN goes to low) and reports whether it had to.
ReverbResult ClampReported(float& value, float low, float high)
{
    if (value > high)
    {
        value = high;
        return kReverbOutOfRange;
    }
    if (!(value >= low))
    {
        value = low;
        return kReverbOutOfRange;
    }
    return kReverbOk;
}
} // namespace

ReverbResult CReverb::Create(int rate, int channels, int mode)
{
    if (rate <= 0 || channels != 2 || mode != 0)
    {
        return kReverbOutOfRange;
    }
    m_frameStride = channels;
    m_channels = 2;
    m_rate = static_cast<float>(rate);
    m_stereoWeight = 0.75f;
    m_preDelay = 0.005f;
    // Tiny negative noise at the input keeps every recursion in the network away from denormals.
    for (float& value : m_noise)
    {
        const int r1 = RuntimeRandom15();
        const int r2 = RuntimeRandom15();
        value = static_cast<float>(r1 + r2 - 65534) * 1e-20f / 32767.0f;
    }
    m_noiseIndex = 0;
    for (CReverbChannel& network : m_network)
    {
        const ReverbResult result = network.Create(m_rate);
        if (result != kReverbOk)
        {
            return result;
        }
    }
    SetPreset(0);
    m_dry = 0.8f;
    m_wet = 0.2f;
    return kReverbOk;
}

ReverbResult CReverb::Process(const float* in, float* out, int frames)
{
    if (frames < 0 || frames > kMaxFrames || ((in == nullptr || out == nullptr) && frames > 0))
    {
        return kReverbOutOfRange;
    }
    const float preDelaySamples = m_rate * m_preDelay;
    const float w = m_stereoWeight;
    const float dry = m_dry;
    const float wet = m_wet;
    uint32_t noiseIndex = m_noiseIndex;
    for (int f = 0; f < frames; ++f)
    {
        const int base = f * m_frameStride;
        const float inL = in[base];
        const float inR = in[base + 1];
        float er0[2];
        float er1[2];
        float sumL[2];
        float sumR[2];
        m_network[0].Process(0, inL + m_noise[noiseIndex++ % kNoiseSize], preDelaySamples, er0[0], er1[0],
                             sumL[0], sumR[0]);
        m_network[1].Process(1, inR + m_noise[noiseIndex++ % kNoiseSize], preDelaySamples, er0[1], er1[1],
                             sumL[1], sumR[1]);
        out[base] =
            dry * inL + wet * (w * sumL[0] + (1.0f - w) * sumL[1]) + wet * (w * er0[0] + (1.0f - w) * er0[1]);
        out[base + 1] =
            dry * inR + wet * (w * sumR[1] + (1.0f - w) * sumR[0]) + wet * (w * er1[1] + (1.0f - w) * er1[0]);
    }
    m_noiseIndex = noiseIndex;
    return kReverbOk;
}

void CReverb::Reset()
{
    for (CReverbChannel& network : m_network)
    {
        network.Reset();
    }
}

ReverbResult CReverb::SetPreset(int index)
{
    const ReverbPreset* preset = GetReverbPreset(index);
    if (preset == nullptr)
    {
        return kReverbBadPreset;
    }
    ReverbResult result = SetCutoff(preset->cutoff);
    m_preDelay = preset->preDelay;
    const ReverbResult bass = SetBassBoost(preset->bassBoost);
    if (result == kReverbOk)
    {
        result = bass;
    }
    SetTailLevel(preset->tailLevel);
    for (CReverbChannel& network : m_network)
    {
        network.ApplyPreset(*preset);
    }
    m_preset = index;
    return result;
}

ReverbResult CReverb::SetMix(float wet)
{
    const ReverbResult result = ClampReported(wet, 0.0f, 1.0f);
    m_wet = wet;
    m_dry = 1.0f - wet;
    return result;
}

ReverbResult CReverb::SetCutoff(float hz)
{
    const float upper = std::fmin(18000.0f, static_cast<float>(m_rate / 2.2));
    const ReverbResult result = ClampReported(hz, 100.0f, upper);
    for (CReverbChannel& network : m_network)
    {
        network.SetCutoff(hz);
    }
    return result;
}

ReverbResult CReverb::SetBassBoost(float db)
{
    const ReverbResult result = ClampReported(db, -18.0f, 18.0f);
    for (CReverbChannel& network : m_network)
    {
        network.SetBassBoost(db);
    }
    return result;
}

void CReverb::SetTailLevel(float db)
{
    // Also catches a NaN level, which would otherwise silence nothing and poison the output.
    const float gain = (db > -96.0f) ? static_cast<float>(std::pow(10.0, db / 20.0)) : 0.0f;
    for (CReverbChannel& network : m_network)
    {
        network.SetTapGain(gain * 0.7f);
    }
}

} // namespace zreverb
