#pragma once

#include "dsp/zreverb/Lanes.h"
#include "dsp/zreverb/ReverbResult.h"

#include <cstdint>
#include <memory>

namespace zreverb
{

// Power-of-two delay line of both channels' samples, so that Read(k) is the value pushed k pushes before the
// most recent one, k taken modulo the size. The samples lie in a longer storage, written backwards from its
// top: a read is one load at a fixed distance from the head, with no wrapping per sample. When the head
// would pass the bottom, the newest size samples slide back to the top, about once every storage minus size
// pushes. Reserve, Push and Read need a successful Create. Audio thread only after creation.
class CRingBuffer
{
public:
    static constexpr int kMaxPushes = 1024;

    // A size of the smallest power of two >= length (1 for 0 or 1), zeroed; on failure nothing stays
    // allocated.
    ReverbResult Create(uint32_t length);

    // Makes room for up to kMaxPushes pushes; every run of pushes is announced so, which keeps the test for
    // the bottom out of the per-sample work.
    void Reserve(int pushes)
    {
        if (head - data.get() < pushes)
        {
            Slide();
        }
    }
    // Needs the room a Reserve made.
    void Push(Lanes value)
    {
        *head = value.Packed();
        --head;
    }

    // A read at k equal to the size wraps to the most recent value.
    Lanes Read(uint32_t k) const { return ReadAt(Offset(k)); }
    // Where Read(k) finds its value, relative to the head: worked out once for a distance read many times.
    uint32_t Offset(uint32_t k) const { return 1 + (k & mask); }
    Lanes ReadAt(uint32_t offset) const { return Lanes::Unpack(head[offset]); }

    // Two frames side by side, the later in the low lanes. ReadPairAt(offset) gives what ReadAt(offset) gives
    // now and after one more push, provided that push is not read (offset >= 2); PushPair pushes the earlier
    // frame (high lanes), then the later. Reserve counts two pushes for a pair.
    Lanes ReadPairAt(uint32_t offset) const { return Lanes::LoadPair(head + offset - 1); }
    // Two frames at their own offsets, both read before either frame is pushed (later >= 2).
    Lanes ReadTwoAt(uint32_t earlier, uint32_t later) const
    {
        return Lanes(_mm_castpd_ps(_mm_loadh_pd(_mm_load_sd(head + later - 1), head + earlier)));
    }
    // What ReadAt(offset) gave right after each of the last two pushes, the later in the low lanes.
    Lanes ReadPushedPairAt(uint32_t offset) const { return Lanes::LoadPair(head + offset); }
    void PushPair(Lanes pair)
    {
        pair.StorePair(head - 1);
        head -= 2;
    }

    void Clear();

    uint32_t Size() const { return size; }

private:
    // Moves the newest size samples from just above the head to the top of the storage.
    void Slide();

    double* head = nullptr; // the slot the next push writes
    uint32_t size = 0;
    uint32_t mask = 0;
    uint32_t slots = 0;             // storage length: size plus the room the head travels down
    std::unique_ptr<double[]> data; // both channels' samples of a slot, packed (Lanes::Packed)
};

} // namespace zreverb
