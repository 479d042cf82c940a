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
// is worked out once for both. A block runs stage by stage: each stage's loop keeps its state in registers,
// and the frames of a stage whose own recursion is longer than the block do not wait for each other.
class CReverbNetwork
{
public:
    static constexpr int kDiffusers = 4;
    // The most frames one block holds.
    static constexpr int kBlock = CTank::kBlock;
    static_assert(kBlock <= CRingBuffer::kMaxPushes, "a block's pushes fit in the room a line reserves");
    static_assert(kBlock <= CResLP::Tunings::kFrames, "a block's low-pass tunings fit");

    ReverbResult Create(float rate);

    // The most frames one ProcessBlock serves: kBlock, or fewer where the loop through the two tank halves
    // is shorter (each half reads the other's input back no sooner than its line 2 and one frame later).
    int BlockFrames() const { return blockFrames; }

    // Up to BlockFrames() frames, stage by stage over the block. x already carries the anti-denormal noise;
    // er0/er1 receive the early reflections, sumL/sumR the tank sums of each frame.
    void ProcessBlock(const PackedLanes* x, int frames, const CFracDelay::Tap& preDelayTap, PackedLanes* er0,
                      PackedLanes* er1, PackedLanes* sumL, PackedLanes* sumR)
    {
        lowPass.Tune(lowPassTunings, frames);
        CTank::LfoQuad lfos;
        const bool lfosInStep = lfos.Begin(tankA, tankB);
        if (!lfosInStep)
        {
            tankA.Prepare(frames);
            tankB.Prepare(frames);
        }
        preDelay.Reserve(frames);
        early.Reserve(frames);
        // The reflections' filters, the low-pass and the shelf recur from sample to sample, on copies that
        // stay in registers. The low-pass's long chain of dependent steps sets the pace; the tank LFOs and
        // the reflections run in its shadow, the reflections' taps two frames at a time.
        CResLP section = lowPass.Section();
        CBassBoost shelf = bass;
        CEarlyRefl::Filters reflectionFilters = early.GetFilters();
        const auto input = [&](int i)
        {
            preDelay.Push(x[i]);
            const Lanes p = preDelay.Read(preDelayTap);
            if (lfosInStep)
            {
                lfos.Step(i);
            }
            early.PushInput(p, reflectionFilters);
            diffused[frames - 1 - i] = shelf.Process(section.Process(p, lowPassTunings.At(i)));
        };
        int i = 0;
        for (; i + 1 < frames; i += 2)
        {
            input(i);
            input(i + 1);
            early.FinishPair(reflectionFilters, er0 + i, er1 + i);
        }
        if (i < frames)
        {
            input(i);
            early.FinishFrame(reflectionFilters, er0[i], er1[i]);
        }
        lowPass.SetSection(section);
        bass = shelf;
        early.SetFilters(reflectionFilters);
        if (lfosInStep)
        {
            lfos.End();
        }
        // The diffusers in turn on each frame, two frames side by side where every diffuser's tap misses
        // the frame before; each line is still read and written in the order of the frames.
        CFracDelay::Tap taps[kDiffusers];
        bool pairsFit = true;
        for (int d = 0; d < kDiffusers; ++d)
        {
            diffusers[d].Reserve(frames);
            taps[d] = diffusers[d].FixedTap();
            pairsFit = pairsFit && CFracDelay::PairsFit(taps[d]);
        }
        int frame = 0;
        if (pairsFit)
        {
            for (; frame + 1 < frames; frame += 2)
            {
                PackedLanes* const pair = diffused + (frames - 2 - frame);
                Lanes value = PackedLanes::LoadPair(pair);
                for (int d = 0; d < kDiffusers; ++d)
                {
                    value = diffusers[d].ProcessPair(value, taps[d]);
                }
                PackedLanes::StorePair(pair, value);
            }
        }
        for (; frame < frames; ++frame)
        {
            Lanes value = diffused[frames - 1 - frame];
            for (int d = 0; d < kDiffusers; ++d)
            {
                value = diffusers[d].Process(value, taps[d]);
            }
            diffused[frames - 1 - frame] = value;
        }
        // Every feedback the block needs is already in the other half's line 2, so both halves run a block
        // at a time.
        inputA[frames - 1] = Lanes(diffused[frames - 1]) + feedbackB;
        inputB[frames - 1] = Lanes(diffused[frames - 1]) + feedbackA;
        frame = 1;
        for (; frame + 1 < frames; frame += 2)
        {
            const int at = frames - 2 - frame;
            const uint32_t ahead = static_cast<uint32_t>(frame);
            const Lanes diffusedPair = PackedLanes::LoadPair(diffused + at);
            PackedLanes::StorePair(inputA + at, diffusedPair + tankB.FeedbackAheadPair(ahead));
            PackedLanes::StorePair(inputB + at, diffusedPair + tankA.FeedbackAheadPair(ahead));
        }
        for (; frame < frames; ++frame)
        {
            const int at = frames - 1 - frame;
            inputA[at] = Lanes(diffused[at]) + tankB.FeedbackAhead(static_cast<uint32_t>(frame));
            inputB[at] = Lanes(diffused[at]) + tankA.FeedbackAhead(static_cast<uint32_t>(frame));
        }
        tankA.ProcessToDamping(inputA, leftA, rightA, frames);
        tankB.ProcessToDamping(inputB, leftB, rightB, frames);
        CTank::ProcessFromDamping(tankA, leftA, rightA, tankB, leftB, rightB, frames);
        feedbackA = tankA.Feedback();
        feedbackB = tankB.Feedback();
        // Back to the order of time for the caller.
        frame = 0;
        for (; frame + 1 < frames; frame += 2)
        {
            const int at = frames - 2 - frame;
            const Lanes left = PackedLanes::LoadPair(leftA + at) + PackedLanes::LoadPair(rightB + at);
            const Lanes right = PackedLanes::LoadPair(leftB + at) + PackedLanes::LoadPair(rightA + at);
            PackedLanes::StorePair(sumL + frame, left.SwappedFrames());
            PackedLanes::StorePair(sumR + frame, right.SwappedFrames());
        }
        for (; frame < frames; ++frame)
        {
            const int at = frames - 1 - frame;
            sumL[frame] = Lanes(leftA[at]) + rightB[at];
            sumR[frame] = Lanes(leftB[at]) + rightA[at];
        }
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
    int blockFrames = 1;
    // The stages' values over one block.
    CResLP::Tunings lowPassTunings;
    PackedLanes diffused[kBlock]; // newest first
    PackedLanes inputA[kBlock];
    PackedLanes inputB[kBlock];
    PackedLanes leftA[kBlock];
    PackedLanes rightA[kBlock];
    PackedLanes leftB[kBlock];
    PackedLanes rightB[kBlock];
};

} // namespace zreverb
