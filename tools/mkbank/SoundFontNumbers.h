#pragma once

#include <cstdint>

#include "engine/SoundFontData.h"
#include "piano/BankLayout.h"

namespace mkbank
{

// Bits of a modulator source: the controller index, the MIDI-controller flag, direction,
// polarity and the curve type in bits 10 and up.
enum ModulatorSource : uint16_t
{
    kSourceMidiController = 0x80,
    kSourceNegative = 0x100,
    kSourceConcave = 1u << 10,
};

// The SoundFont 2 format wants this many zero points after every sample.
constexpr uint32_t kSampleGuardPoints = 46;

} // namespace mkbank
