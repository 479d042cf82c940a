#pragma once

#include "dsp/zreverb/Lanes.h"
#include "dsp/zreverb/ReverbResult.h"

#include <cstdint>
#include <memory>

namespace zreverb
{

// Power-of-two delay line of both channels' samples, written backwards, so that Read(k) is the value pushed
// k pushes before the most recent one. Indices are masked, never compared. Push and Read need a successful
// Create. Audio thread only after creation.
class CRingBuffer
{
public:
    // Storage for the smallest power of two >= length (1 for 0 or 1), zeroed; on failure nothing stays
    // allocated.
    ReverbResult Create(uint32_t length);

    void Push(Lanes value)
    {
        const uint32_t slot = write;
        // One step back; the mask alone wraps it, the size adds nothing modulo itself.
        write = (write - 1) & mask;
        data[slot] = value.Packed();
    }

    // A read at k equal to the size wraps to the most recent value.
    Lanes Read(uint32_t k) const { return Lanes::Unpack(data[(write + 1 + k) & mask]); }

    void Clear();

    uint32_t Size() const { return size; }

private:
    uint32_t write = 0;
    uint32_t size = 0;
    uint32_t mask = 0;
    std::unique_ptr<double[]> data; // both channels' samples of a slot, packed (Lanes::Packed)
};

} // namespace zreverb
