#pragma once

#include <cstdint>

#include "mkbank/PresetCopier.h"

namespace mkbank
{

// Adds the mechanical noises to a bank: one synthesised sample per noise key, an instrument
// playing each on its own key at its recorded pitch, and a zone of the bank's first preset over
// the noise keys. The instrument never releases the key-release noises; they play to their end.
class NoiseLayer
{
public:
    // A note-off of a pedal noise (the next pedal movement) fades it out over this time
    // (about 60 ms) instead of cutting it with a click.
    static constexpr int kReleaseTimecents = -4800;

    static void addTo(BankImage& bank);
    static const char* sampleName(uint8_t key);
};

} // namespace mkbank
