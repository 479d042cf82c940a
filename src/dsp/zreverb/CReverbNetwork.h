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

// The complete networks of both input channels side by side, channel c in lane c: pre-delay, early
// reflections, swept input low-pass, bass shelf, four input diffusers and the two tank halves that feed
// each other. The two networks are tuned alike and their LFOs run in step, so every LFO and read position
// is worked out once for both: the low-pass's per block (Prepare), the tanks' a frame at a time inside the
// per-sample work, where their recursion overlaps the filtering.
class CReverbNetwork
{
public:
    static constexpr int kDiffusers = 4;
    // The most frames one Prepare serves.
    static constexpr int kBlock = CTank::kBlock;

    ReverbResult Create(float rate);

    // Advances every LFO through the coming frames (at most kBlock) and keeps what they give.
    void Prepare(int frames)
    {
        lowPass.Tune(lowPassTunings, frames);
        // The diffusers are built without modulation depth and nothing gives them one: their taps stay.
        for (int d = 0; d < kDiffusers; ++d)
        {
            diffuserTaps[d] = diffusers[d].FixedTap();
        }
        lfosInStep = lfos.Begin(tankA, tankB);
        if (!lfosInStep)
        {
            tankA.Prepare(frames);
            tankB.Prepare(frames);
        }
    }
    // After the prepared block's frames: the tank LFOs take their state back.
    void Finish()
    {
        if (lfosInStep)
        {
            lfos.End();
        }
    }

    // Frame i of the prepared block; x already carries the anti-denormal noise.
    void Process(int i, Lanes x, const CFracDelay::Tap& preDelayTap, Lanes& er0, Lanes& er1, Lanes& sumL,
                 Lanes& sumR)
    {
        preDelay.Push(x);
        const Lanes p = preDelay.Read(preDelayTap);
        if (lfosInStep)
        {
            lfos.Step(i);
        }
        early.Process(p, er0, er1);
        Lanes t = lowPass.Process(p, lowPassTunings[i]);
        t = bass.Process(t);
        for (int d = 0; d < kDiffusers; ++d)
        {
            t = diffusers[d].Process(t, diffuserTaps[d]);
        }
        Lanes leftA;
        Lanes rightA;
        Lanes leftB;
        Lanes rightB;
        const Lanes newFeedbackA = tankA.Process(i, t + feedbackB, leftA, rightA);
        const Lanes newFeedbackB = tankB.Process(i, t + feedbackA, leftB, rightB);
        feedbackA = newFeedbackA;
        feedbackB = newFeedbackB;
        sumL = leftA + rightB;
        sumR = leftB + rightA;
    }

    // The per-network part of a preset (diffusers, early reflections, tanks).
    void ApplyPreset(const ReverbPreset& preset);
    void SetCutoff(float hz) { lowPass.SetCutoff(hz); }
    void SetBassBoost(float db) { bass.SetGain(db); }
    void SetTapGain(float gain);

    // Clears the lines and the one-pole states; the bass shelf, the low-pass, the tank LFO phases and the
    // cross-feedback values keep their state.
    void Reset();

    Lanes FeedbackA() const { return feedbackA; }
    Lanes FeedbackB() const { return feedbackB; }
    const CFracDelay& PreDelay() const { return preDelay; }
    const CLowPass& LowPass() const { return lowPass; }
    const CEarlyRefl& EarlyReflections() const { return early; }
    const CBassBoost& BassBoost() const { return bass; }
    const CAllPass& Diffuser(int d) const { return diffusers[d]; }
    const CTank& TankA() const { return tankA; }
    const CTank& TankB() const { return tankB; }

private:
    CFracDelay preDelay;
    CLowPass lowPass;
    CEarlyRefl early;
    CBassBoost bass{44100.0f, 300.0f, 3.0f};
    CAllPass diffusers[kDiffusers];
    CTank tankA;
    CTank tankB;
    PackedLanes feedbackA;
    PackedLanes feedbackB;
    CResLP::Tuning lowPassTunings[kBlock];
    CFracDelay::Tap diffuserTaps[kDiffusers];
    CTank::LfoQuad lfos;
    bool lfosInStep = false;
};

} // namespace zreverb
