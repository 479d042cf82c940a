#pragma once

#include "dsp/zreverb/CRingBuffer.h"

#include <cstdint>

namespace zreverb
{

// Delay line read at fractional positions by linear interpolation between neighbouring pushes.
class CFracDelay
{
public:
    // A read position split into the whole pushes and the fraction, worked out once for any number of reads.
    struct Position
    {
        uint32_t whole; // i = trunc(d + 1)
        float fraction; // d + 1 - i
    };

    // d >= 0 samples; d = 0 is the most recent push.
    static Position At(float d)
    {
        const int i = static_cast<int>(d + 1.0f);
        return Position{static_cast<uint32_t>(i), d + 1.0f - static_cast<float>(i)};
    }

    // A position read many times: both interpolation weights spread over the lanes and both slots found
    // once.
    struct Tap
    {
        Lanes older; // 1 - fraction
        Lanes newer; // fraction
        uint32_t olderOffset;
        uint32_t newerOffset;
    };
    Tap TapAt(Position p) const
    {
        return Tap{1.0f - p.fraction, p.fraction, ring.Offset(p.whole - 1), ring.Offset(p.whole)};
    }

    // Length in samples = trunc(rate * seconds + 0.5); the ring holds at least that many.
    ReverbResult Create(float rate, float seconds);

    void Reserve(int pushes) { ring.Reserve(pushes); }
    void Push(Lanes value) { ring.Push(value); }

    Lanes Read(Position p) const
    {
        return (1.0f - p.fraction) * ring.Read(p.whole - 1) + p.fraction * ring.Read(p.whole);
    }
    Lanes Read(const Tap& t) const
    {
        return t.older * ring.ReadAt(t.olderOffset) + t.newer * ring.ReadAt(t.newerOffset);
    }
    // Two frames at a tap (see CRingBuffer::ReadPairAt); needs PairsFit(t).
    Lanes ReadPair(const Tap& t) const
    {
        return t.older * ring.ReadPairAt(t.olderOffset) + t.newer * ring.ReadPairAt(t.newerOffset);
    }
    // Two frames at their own positions, read before either is pushed; needs PairFits(later).
    Lanes ReadPair(Position earlier, Position later) const
    {
        const Lanes fraction = Lanes::Frames(earlier.fraction, later.fraction);
        return (Lanes(1.0f) - fraction) *
                   ring.ReadTwoAt(ring.Offset(earlier.whole - 1), ring.Offset(later.whole - 1)) +
               fraction * ring.ReadTwoAt(ring.Offset(earlier.whole), ring.Offset(later.whole));
    }
    // The same reads where the caller knows that 2 <= p.whole < Capacity(): nothing wraps and the next
    // frame's read misses this frame's push, so the slots need no mask.
    Lanes ReadInRange(Position p) const
    {
        return (1.0f - p.fraction) * ring.ReadAt(p.whole) + p.fraction * ring.ReadAt(p.whole + 1);
    }
    Lanes ReadPairInRange(Position earlier, Position later) const
    {
        const Lanes fraction = Lanes::Frames(earlier.fraction, later.fraction);
        return (Lanes(1.0f) - fraction) * ring.ReadTwoAt(earlier.whole, later.whole) +
               fraction * ring.ReadTwoAt(earlier.whole + 1, later.whole + 1);
    }
    bool PairFits(Position later) const
    {
        return ring.Offset(later.whole - 1) >= 2 && ring.Offset(later.whole) >= 2;
    }
    // What Read(t) gave right after each of the last two pushes, the later in the low lanes.
    Lanes ReadPushedPair(const Tap& t) const
    {
        return t.older * ring.ReadPushedPairAt(t.olderOffset) +
               t.newer * ring.ReadPushedPairAt(t.newerOffset);
    }
    void PushPair(Lanes pair) { ring.PushPair(pair); }
    // Whether the next frame's read at the tap misses this frame's push, so that both run side by side.
    static bool PairsFit(const Tap& t) { return t.olderOffset >= 2 && t.newerOffset >= 2; }

    void Clear() { ring.Clear(); }

    int Length() const { return length; }
    uint32_t Capacity() const { return ring.Size(); }

private:
    CRingBuffer ring;
    int length = 0;
};

} // namespace zreverb
