#pragma once

#include "dsp/zreverb/CAllPass.h"
#include "dsp/zreverb/CBassBoost.h"
#include "dsp/zreverb/CEarlyRefl.h"
#include "dsp/zreverb/CFracDelay.h"
#include "dsp/zreverb/CLowPass.h"
#include "dsp/zreverb/CTank.h"
#include "dsp/zreverb/ReverbPresets.h"

namespace zreverb
{

// The complete network of one input channel: pre-delay, early reflections, swept input low-pass, bass
// shelf, four input diffusers and the two tank halves that feed each other.
class CReverbChannel
{
public:
    static constexpr int kDiffusers = 4;

    ReverbResult Create(float rate);

    // x already carries the anti-denormal noise; preDelaySamples = rate * pre-delay.
    void Process(int channel, float x, float preDelaySamples, float& er0, float& er1, float& sumL,
                 float& sumR)
    {
        m_preDelay.Push(x);
        const float p = m_preDelay.Read(preDelaySamples);
        m_early.Process(channel, p, er0, er1);
        float t = m_lowPass.ProcessSample(0, p);
        t = m_bass.Process(t);
        for (CAllPass& diffuser : m_diffusers)
        {
            t = diffuser.Process(t);
        }
        float leftA = 0.0f;
        float rightA = 0.0f;
        float leftB = 0.0f;
        float rightB = 0.0f;
        const float feedbackA = m_tankA.Process(t + m_feedbackB, leftA, rightA);
        const float feedbackB = m_tankB.Process(t + m_feedbackA, leftB, rightB);
        m_feedbackA = feedbackA;
        m_feedbackB = feedbackB;
        sumL = leftA + rightB;
        sumR = leftB + rightA;
    }

    // The per-channel part of a preset (diffusers, early reflections, tanks).
    void ApplyPreset(const ReverbPreset& preset);
    void SetCutoff(float hz) { m_lowPass.SetCutoff(hz); }
    void SetBassBoost(float db) { m_bass.SetGain(db); }
    void SetTapGain(float gain);

    // Clears the lines and the one-pole states; the bass shelf, the low-pass, the tank LFO phases and the
    // cross-feedback values keep their state.
    void Reset();

    float FeedbackA() const { return m_feedbackA; }
    float FeedbackB() const { return m_feedbackB; }
    const CFracDelay& PreDelay() const { return m_preDelay; }
    const CLowPass& LowPass() const { return m_lowPass; }
    const CEarlyRefl& EarlyReflections() const { return m_early; }
    const CBassBoost& BassBoost() const { return m_bass; }
    const CAllPass& Diffuser(int i) const { return m_diffusers[i]; }
    const CTank& TankA() const { return m_tankA; }
    const CTank& TankB() const { return m_tankB; }

private:
    CFracDelay m_preDelay;
    CLowPass m_lowPass;
    CEarlyRefl m_early;
    CBassBoost m_bass{44100.0f, 300.0f, 3.0f};
    CAllPass m_diffusers[kDiffusers];
    CTank m_tankA;
    CTank m_tankB;
    float m_feedbackA = 0.0f;
    float m_feedbackB = 0.0f;
};

} // namespace zreverb
