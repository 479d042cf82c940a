#include "dsp/zreverb/CReverbChannel.h"

namespace zreverb
{

namespace
{
struct DiffuserSetting
{
    float delay;
    float coefficient;
};
const DiffuserSetting kDiffuserSettings[CReverbChannel::kDiffusers] = {
    {0.004771345f, 0.75f}, {0.0035953093f, 0.75f}, {0.012734788f, 0.625f}, {0.009307483f, 0.625f}};
} // namespace

ReverbResult CReverbChannel::Create(float rate)
{
    ReverbResult result = m_preDelay.Create(rate, 8192.0f / rate + 0.3f);
    if (result == kReverbOk)
    {
        result = m_lowPass.Create(rate, 1);
    }
    if (result == kReverbOk)
    {
        result = m_lowPass.SetLfoType(kLfoNoise);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    m_lowPass.SetResonance(1.0f);
    m_lowPass.SetCutoff(8000.0f);
    result = m_early.Create(rate, 1.0f);
    for (int i = 0; i < kDiffusers && result == kReverbOk; ++i)
    {
        result = m_diffusers[i].Create(rate, kDiffuserSettings[i].delay, 0.0f, 0.0f,
                                       kDiffuserSettings[i].coefficient);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    m_bass = CBassBoost(rate, 300.0f, 3.0f);
    result = m_tankA.Create(TankBlockA(rate));
    if (result == kReverbOk)
    {
        result = m_tankB.Create(TankBlockB(rate));
    }
    m_feedbackA = 0.0f;
    m_feedbackB = 0.0f;
    return result;
}

void CReverbChannel::ApplyPreset(const ReverbPreset& preset)
{
    m_diffusers[0].SetCoefficient(preset.diffuser12);
    m_diffusers[1].SetCoefficient(preset.diffuser12);
    m_diffusers[2].SetCoefficient(preset.diffuser34);
    m_diffusers[3].SetCoefficient(preset.diffuser34);
    m_early.SetGains(preset.earlyGains);
    m_early.SetEarlySize(preset.earlySize);
    m_tankA.SetDecay(preset.decay);
    m_tankA.SetDamping(preset.dampingA, preset.dampingB);
    m_tankA.SetCoefficients(preset.modulatedCoefficient, preset.secondCoefficient);
    m_tankA.SetDepths(preset.depthAModulated * 0.001f, preset.depthASecond * 0.001f);
    m_tankB.SetDecay(preset.decay);
    m_tankB.SetDamping(preset.dampingA, preset.dampingB);
    m_tankB.SetCoefficients(preset.modulatedCoefficient, preset.secondCoefficient);
    m_tankB.SetDepths(preset.depthBModulated * 0.001f, preset.depthBSecond * 0.001f);
    // Only the small room softens the reflections' input; the other presets leave it as it was.
    if (preset.softInputFilter)
    {
        m_early.SetInputFilter(0.5f, 0.5f);
    }
}

void CReverbChannel::SetTapGain(float gain)
{
    m_tankA.SetTapGain(gain);
    m_tankB.SetTapGain(gain);
}

void CReverbChannel::Reset()
{
    m_preDelay.Clear();
    for (CAllPass& diffuser : m_diffusers)
    {
        diffuser.Clear();
    }
    m_tankA.Clear();
    m_tankB.Clear();
    m_early.Clear();
    m_lowPass.Reset();
}

} // namespace zreverb
