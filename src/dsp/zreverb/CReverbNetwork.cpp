#include "dsp/zreverb/CReverbNetwork.h"

#include <algorithm>

namespace zreverb
{

namespace
{
struct DiffuserSetting
{
    float delay;
    float coefficient;
};
const DiffuserSetting kDiffuserSettings[CReverbNetwork::kDiffusers] = {
    {0.004771345f, 0.75f}, {0.0035953093f, 0.75f}, {0.012734788f, 0.625f}, {0.009307483f, 0.625f}};
} // namespace

ReverbResult CReverbNetwork::Create(float rate)
{
    ReverbResult result = preDelay.Create(rate, 8192.0f / rate + 0.3f);
    if (result == kReverbOk)
    {
        result = lowPass.Create(rate);
    }
    if (result == kReverbOk)
    {
        result = lowPass.SetLfoType(kLfoNoise);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    lowPass.SetResonance(1.0f);
    lowPass.SetCutoff(8000.0f);
    result = early.Create(rate, 1.0f);
    for (int i = 0; i < kDiffusers && result == kReverbOk; ++i)
    {
        result = diffusers[i].Create(rate, kDiffuserSettings[i].delay, 0.0f, 0.0f,
                                     kDiffuserSettings[i].coefficient);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    bass = CBassBoost(rate, 300.0f, 3.0f);
    result = tankA.Create(TankBlockA(rate));
    if (result == kReverbOk)
    {
        result = tankB.Create(TankBlockB(rate));
    }
    feedbackA = Lanes();
    feedbackB = Lanes();
    const uint32_t loop = std::min(tankA.Length2(), tankB.Length2()) + 1;
    blockFrames = static_cast<int>(std::min(static_cast<uint32_t>(kBlock), loop));
    return result;
}

void CReverbNetwork::ApplyPreset(const ReverbPreset& preset)
{
    diffusers[0].SetCoefficient(preset.diffuser12);
    diffusers[1].SetCoefficient(preset.diffuser12);
    diffusers[2].SetCoefficient(preset.diffuser34);
    diffusers[3].SetCoefficient(preset.diffuser34);
    early.SetGains(preset.earlyGains);
    early.SetEarlySize(preset.earlySize);
    tankA.SetDecay(preset.decay);
    tankA.SetDamping(preset.dampingA, preset.dampingB);
    tankA.SetCoefficients(preset.modulatedCoefficient, preset.secondCoefficient);
    tankA.SetDepths(preset.depthAModulated * 0.001f, preset.depthASecond * 0.001f);
    tankB.SetDecay(preset.decay);
    tankB.SetDamping(preset.dampingA, preset.dampingB);
    tankB.SetCoefficients(preset.modulatedCoefficient, preset.secondCoefficient);
    tankB.SetDepths(preset.depthBModulated * 0.001f, preset.depthBSecond * 0.001f);
    // Only the small room softens the reflections' input; the other presets leave it as it was.
    if (preset.softInputFilter)
    {
        early.SetInputFilter(0.5f, 0.5f);
    }
}

void CReverbNetwork::SetTapGain(float gain)
{
    tankA.SetTapGain(gain);
    tankB.SetTapGain(gain);
}

void CReverbNetwork::Reset()
{
    preDelay.Clear();
    for (CAllPass& diffuser : diffusers)
    {
        diffuser.Clear();
    }
    tankA.Clear();
    tankB.Clear();
    early.Clear();
    lowPass.Reset();
}

} // namespace zreverb
