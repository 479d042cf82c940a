#pragma once

#include "render/MidiTrackParser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace render
{

// Turns ticks into exact time. Time is counted in integer units so that conversions to sample frames can be
// exact: with ticks per quarter note a unit is 1 / (division * 1000000) s, with SMPTE division a unit is one
// tick (one 1001st of a tick at 29.97 frames per second).
class TempoMap
{
public:
    // Reads the header's division word; false (with error()) for a division of 0 or an unknown frame rate.
    bool setDivision(uint16_t division);
    // Tempo changes from every track; at equal ticks the one given last wins. SMPTE files ignore them.
    void setTempoChanges(std::vector<TempoChange> changes);

    uint64_t unitsPerSecond() const { return resolution; }
    // False when the time does not fit the units (a file lasting many years).
    bool timeUnitsAt(uint64_t tick, uint64_t& units) const;
    const std::string& error() const { return errorText; }

private:
    struct Segment
    {
        uint64_t tick;
        uint64_t units; // time of the segment's first tick
        uint64_t unitsPerTick;
    };
    std::vector<Segment> segments;
    uint64_t resolution = 0;
    uint64_t smpteUnitsPerTick = 0; // 0 for ticks per quarter note
    std::string errorText;
};

} // namespace render
