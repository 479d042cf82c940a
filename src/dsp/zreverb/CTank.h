#pragma once

#include "dsp/zreverb/CAllPass.h"
#include "dsp/zreverb/COnePole.h"
#include "dsp/zreverb/CRingBuffer.h"
#include "dsp/zreverb/TankParameters.h"

namespace zreverb
{

// One half of the recirculating figure-eight tank, for both channels: modulated allpass, delay line 1,
// damping, decay, second allpass, delay line 2; seven output taps give a left and a right sum.
class CTank
{
public:
    // The most frames one Prepare serves.
    static constexpr int kBlock = 64;

    ReverbResult Create(const TankParameters& block);

    // Moves both allpass LFOs through the coming frames (at most kBlock) and keeps their read positions.
    void Prepare(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            positions[i][kModulated] = CFracDelay::At(modulated.NextDelay());
            positions[i][kSecond] = CFracDelay::At(second.NextDelay());
        }
    }
    // Prepare of two tanks at once: their four LFOs run side by side in SSE lanes, each lane doing what
    // NextDelay and CFracDelay::At do, in their order.
    static void Prepare(CTank& a, CTank& b, int frames);

    // Frame i of the prepared block. Returns the feedback for the other half; left and right receive this
    // sample's tap sums.
    Lanes Process(int i, Lanes x, Lanes& left, Lanes& right)
    {
        Lanes sumLeft = 0.0f;
        Lanes sumRight = 0.0f;
        const Lanes a = modulated.Process(x, positions[i][kModulated]);
        line1.Push(a);
        const Lanes d = line1.Read(length1);
        sumLeft += tapGain * (line1.Read(tap[0]) + line1.Read(tap[1]));
        sumRight -= tapGain * line1.Read(tap[4]);
        const Lanes s = damping.Process(d) * decay;
        const Lanes b = second.Process(s, positions[i][kSecond]);
        line2.Push(b);
        sumLeft -= tapGain * second.Line().Read(secondTap2);
        sumLeft += tapGain * line2.Read(tap[3]);
        sumRight -= tapGain * second.Line().Read(secondTap5);
        sumRight -= tapGain * line2.Read(tap[6]);
        left = sumLeft;
        right = sumRight;
        return line2.Read(length2) * decay;
    }
    // One frame on its own.
    Lanes Process(Lanes x, Lanes& left, Lanes& right)
    {
        Prepare(1);
        return Process(0, x, left, right);
    }

    void SetDecay(float value) { decay = value; }
    void SetDamping(float a, float b) { damping.SetCoefficients(a, b); }
    void SetCoefficients(float modulatedCoefficient, float secondCoefficient);
    void SetDepths(float modulatedSeconds, float secondSeconds);
    void SetTapGain(float gain) { tapGain = gain; }

    // Zeroes both delay lines, both allpass lines and the damping state; LFO phases stay.
    void Clear();

    uint32_t Length1() const { return length1; }
    uint32_t Length2() const { return length2; }
    uint32_t Tap(int i) const { return tap[i]; }
    float Decay() const { return decay.Channel(0); }
    float TapGain() const { return tapGain.Channel(0); }
    const COnePole& Damping() const { return damping; }
    const CAllPass& Modulated() const { return modulated; }
    const CAllPass& Second() const { return second; }

private:
    uint32_t length1 = 0;
    uint32_t length2 = 0;
    uint32_t tap[7] = {};
    float rate = 0.0f;
    // In both lanes, ready for the per-sample work.
    Lanes decay = 0.0f;
    Lanes tapGain = 0.7f;
    float tapTime[7] = {};
    // Taps 2 and 5 read the second allpass's own line at rate x tap time.
    CFracDelay::Tap secondTap2{};
    CFracDelay::Tap secondTap5{};
    CRingBuffer line1;
    CRingBuffer line2;
    COnePole damping;
    CAllPass modulated;
    CAllPass second;
    // Each frame's read positions of the modulated and the second allpass, side by side.
    static constexpr int kModulated = 0;
    static constexpr int kSecond = 1;
    alignas(16) CFracDelay::Position positions[kBlock][2];
};

} // namespace zreverb
