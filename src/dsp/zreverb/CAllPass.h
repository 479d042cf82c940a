#pragma once

#include "dsp/zreverb/CFracDelay.h"
#include "dsp/zreverb/CSineLFO.h"
#include "dsp/zreverb/PackedLanes.h"

namespace zreverb
{

// Schroeder allpass on a fractional delay whose length a sine LFO may modulate; both channels share the
// delay (their LFOs would run in step).
class CAllPass
{
public:
    CAllPass() = default;

    // The line holds 2 * delay + depth seconds. A negative rate is refused with kReverbOutOfRange.
    ReverbResult Create(float rateHz, float delaySeconds, float depthSeconds, float lfoFrequency,
                        float coefficient);

    void SetCoefficient(float value) { g = value; }
    void SetDepth(float seconds) { depth = seconds; }

    // The read position of the next sample; advances the LFO only while there is a depth.
    float NextDelay() { return (depth == 0.0f) ? rate * delay : rate * (lfo.Next() * depth + delay); }

    // The read tap of an allpass without modulation depth, whose position never moves.
    CFracDelay::Tap FixedTap() const { return line.TapAt(CFracDelay::At(rate * delay)); }

    // The delayed value is read before this sample is pushed, so a negative g adds it at the input.
    template <typename Where> Lanes Process(Lanes x, const Where& position)
    {
        const Lanes y = line.Read(position);
        const Lanes v = x - g * y;
        line.Push(v);
        return g * v + y;
    }
    // Two frames side by side (the later in the low lanes) at a fixed tap whose read misses the frame
    // before (CFracDelay::PairsFit).
    Lanes ProcessPair(Lanes x, const CFracDelay::Tap& tap) { return ProcessPair(x, line.ReadPair(tap)); }
    // Two frames side by side (the later in the low lanes) at their own positions; needs PairFits(later).
    Lanes ProcessPair(Lanes x, CFracDelay::Position earlier, CFracDelay::Position later)
    {
        return ProcessPair(x, line.ReadPair(earlier, later));
    }
    bool PairFits(CFracDelay::Position later) const { return line.PairFits(later); }
    // Process and ProcessPair where every position lies in range (see CFracDelay::ReadInRange).
    Lanes ProcessInRange(Lanes x, CFracDelay::Position position)
    {
        const Lanes y = line.ReadInRange(position);
        const Lanes v = x - g * y;
        line.Push(v);
        return g * v + y;
    }
    Lanes ProcessPairInRange(Lanes x, CFracDelay::Position earlier, CFracDelay::Position later)
    {
        return ProcessPair(x, line.ReadPairInRange(earlier, later));
    }

    // Room for the coming frames' pushes.
    void Reserve(int frames) { line.Reserve(frames); }

    void Clear() { line.Clear(); }

    const CFracDelay& Line() const { return line; }
    const CSineLFO& Lfo() const { return lfo; }
    CSineLFO& Lfo() { return lfo; }
    float Rate() const { return rate; }
    float Delay() const { return delay; }
    float Coefficient() const { return g.Channel(0); }
    float Depth() const { return depth; }

private:
    Lanes ProcessPair(Lanes x, Lanes y)
    {
        const Lanes v = x - g * y;
        line.PushPair(v);
        return g * v + y;
    }

    CFracDelay line;
    CSineLFO lfo{1.0f};
    float rate = 0.0f;
    float delay = 0.0f;
    Lanes g = 0.0f; // in both lanes, ready for the per-sample work
    float depth = 0.0f;
};

} // namespace zreverb
