#pragma once

#include "dsp/zreverb/COnePole.h"
#include "dsp/zreverb/CRingBuffer.h"
#include "dsp/zreverb/PackedLanes.h"

namespace zreverb
{

// Six-tap early reflections of both channels (one set of taps per channel lane) with a short filtered cross
// path between the two tap groups.
class CEarlyRefl
{
public:
    static constexpr int kTaps = 6;

    // Tap gains are the base gains times level; the tap positions start at size 1.0.
    ReverbResult Create(float rateHz, float level);

    // Tap position = trunc((rate * base time + 0.5) * 4 * size); reads are masked, so any size is safe.
    void SetEarlySize(float size);
    void SetGains(const float (&gains)[kTaps]);
    void SetInputFilter(float a, float b) { inputFilter.SetCoefficients(a, b); }

    // Room for the coming frames' pushes.
    void Reserve(int frames)
    {
        line.Reserve(frames);
        cross0.Reserve(frames);
        cross1.Reserve(frames);
    }

    // The input and cross filters, which a caller running a block keeps in registers (as a copy taken by
    // Filters and handed back by SetFilters) rather than passing their states through memory every frame.
    struct Filters
    {
        COnePole input;
        COnePole cross0;
        COnePole cross1;
    };
    Filters GetFilters() const { return Filters{inputFilter, crossFilter0, crossFilter1}; }
    void SetFilters(const Filters& filters)
    {
        inputFilter = filters.input;
        crossFilter0 = filters.cross0;
        crossFilter1 = filters.cross1;
    }

    // A frame's input, filtered and pushed; FinishPair or FinishFrame then make its reflections.
    void PushInput(Lanes p, Filters& filters) { line.Push(filters.input.Process(p)); }

    // The reflections of the last two frames pushed, the earlier into er0[0] and er1[0]. Channel 0 sends
    // the first tap group straight and crosses the second; channel 1 the other way round. The taps of both
    // frames are read side by side; the cross filters then take the two frames in turn.
    void FinishPair(Filters& filters, PackedLanes* er0, PackedLanes* er1)
    {
        const Lanes s1 = line.ReadPushedPairAt(offset[0]) * gain[0] +
                         line.ReadPushedPairAt(offset[2]) * gain[2] +
                         line.ReadPushedPairAt(offset[4]) * gain[4];
        const Lanes s2 = line.ReadPushedPairAt(offset[1]) * gain[1] +
                         line.ReadPushedPairAt(offset[3]) * gain[3] +
                         line.ReadPushedPairAt(offset[5]) * gain[5];
        const Lanes u = Lanes::StraightPairs(s2, s1);
        const Lanes v = Lanes::StraightPairs(s1, s2);
        cross0.PushPair(u);
        cross1.PushPair(v);
        const Lanes c0 = cross0.ReadPushedPairAt(crossOffset);
        const Lanes c1 = cross1.ReadPushedPairAt(crossOffset);
        const Lanes earlier0 = filters.cross0.Process(c0.SwappedFrames());
        const Lanes earlier1 = filters.cross1.Process(c1.SwappedFrames());
        const Lanes filtered0 = Lanes::Join(earlier0, filters.cross0.Process(c0));
        const Lanes filtered1 = Lanes::Join(earlier1, filters.cross1.Process(c1));
        PackedLanes::StorePair(er0, (0.7f * (v + filtered0)).SwappedFrames());
        PackedLanes::StorePair(er1, (0.7f * (u + filtered1)).SwappedFrames());
    }
    // The reflections of the last frame pushed.
    void FinishFrame(Filters& filters, PackedLanes& er0, PackedLanes& er1)
    {
        const Lanes s1 = line.ReadAt(offset[0]) * gain[0] + line.ReadAt(offset[2]) * gain[2] +
                         line.ReadAt(offset[4]) * gain[4];
        const Lanes s2 = line.ReadAt(offset[1]) * gain[1] + line.ReadAt(offset[3]) * gain[3] +
                         line.ReadAt(offset[5]) * gain[5];
        const Lanes u = Lanes::Straight(s2, s1);
        const Lanes v = Lanes::Straight(s1, s2);
        cross0.Push(u);
        cross1.Push(v);
        er0 = 0.7f * (v + filters.cross0.Process(cross0.ReadAt(crossOffset)));
        er1 = 0.7f * (u + filters.cross1.Process(cross1.ReadAt(crossOffset)));
    }

    // Zeroes the three lines and the states of the cross and input filters.
    void Clear();

    uint32_t TapPosition(int i) const { return tap[i]; }
    uint32_t CrossDelay() const { return crossDelay; }
    float Gain(int i) const { return gain[i].Channel(0); }
    const COnePole& InputFilter() const { return inputFilter; }

private:
    float rate = 0.0f;
    Lanes gain[kTaps]; // in both lanes, ready for the per-sample work
    uint32_t crossDelay = 0;
    uint32_t tap[kTaps] = {};
    // Where the tap and cross-delay reads find their values (both cross lines have the same size).
    uint32_t offset[kTaps] = {};
    uint32_t crossOffset = 0;
    CRingBuffer line;
    CRingBuffer cross0;
    CRingBuffer cross1;
    COnePole crossFilter0{0.15f, 0.85f};
    COnePole crossFilter1{0.15f, 0.85f};
    COnePole inputFilter{1.0f, 0.0f};
};

} // namespace zreverb
