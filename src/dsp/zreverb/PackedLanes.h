#pragma once

#include "dsp/zreverb/Lanes.h"

namespace zreverb
{

// A filter state of both channels kept in the bits of one double. Storing it is a plain double store,
// which the compiler knows cannot change a delay line's index, mask or any coefficient, so the per-sample
// work does not load those again after every state update. Converts to and from Lanes.
class PackedLanes
{
public:
    PackedLanes() = default;
    PackedLanes(Lanes value) : bits(value.Packed()) {}     // NOLINT(google-explicit-constructor)
    operator Lanes() const { return Lanes::Unpack(bits); } // NOLINT(google-explicit-constructor)

    // Two consecutive states in one register, the one at the lower address in the low lanes: how two frames
    // of a block kept newest first, or of a delay line, run side by side.
    static Lanes LoadPair(const PackedLanes* pair) { return Lanes::LoadPair(&pair->bits); }
    static void StorePair(PackedLanes* pair, Lanes value) { value.StorePair(&pair->bits); }

private:
    double bits = 0.0;
};

} // namespace zreverb
