#pragma once

#include "engine/TestBank.h"

namespace mkbank_test
{

// Sample, instrument and preset indices of MakePianoSource().
enum SourceIndex : uint16_t
{
    kDecoySample = 0, // used by no preset
    kOtherSample = 1, // used by the other preset only
    kPianoLeft = 2,   // stereo pair, linked to each other
    kPianoRight = 3,
    kPianoHigh = 4,        // mono, with a loop
    kNoiseRangeSample = 5, // used only by a zone lying on the noise keys
    kLoneLeft = 6,         // claims to be a left sample but links to the decoy

    kOtherInstrument = 0,
    kLowInstrument = 1,
    kHighInstrument = 2,
};

// A small piano source: preset 0:0 "Grand" (a global zone with attenuation 20, reverb send 30
// and a velocity modulator, a zone for keys 0-59 on the low instrument overriding the
// attenuation, a zone without key range on the high instrument), preset 0:1 "Other" and preset
// 1:0 "Grand B" (the high instrument only). The high instrument reaches key 127 and has a zone
// lying wholly on keys 121-127.
enginetest::TestBank MakePianoSource();

// A source for rendering: preset 0:0 with one looped, near full-scale tone over all keys whose
// volume envelope decays over about two seconds.
enginetest::TestBank MakeRenderSource();

} // namespace mkbank_test
