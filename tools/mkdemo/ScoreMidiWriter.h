#pragma once

#include "mkdemo/Score.h"

#include <cstdint>
#include <vector>

namespace mkdemo
{

// Writes a Score as a format 1 Standard MIDI File: a conductor track with the title, meter and tempi, one
// track per voice and one for the sustain pedal, everything on MIDI channel 1 as one piano.
class ScoreMidiWriter
{
public:
    static std::vector<uint8_t> write(const Score& score);
};

} // namespace mkdemo
