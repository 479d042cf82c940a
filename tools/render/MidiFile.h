#pragma once

#include "render/MidiMessage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace render
{

// A Standard MIDI File (format 0 or 1) read into one time-ordered list of channel messages.
//
// Order: by time; at the same tick by track, then by position in the track, except that a note-off which
// ends a note sounding before that tick goes ahead of a note-on of the same key at that tick, in whichever
// track or channel either lies, so that a repeated note is struck again instead of cut off. Channels are
// compared by key only because the instrument plays every channel on one voice set.
//
// Every length in the file is checked against the data; a damaged file fails with a message in error().
class MidiFile
{
public:
    bool load(const std::string& path);
    bool parse(const uint8_t* data, size_t size);

    const std::string& error() const { return errorText; }
    int format() const { return fileFormat; }
    int trackCount() const { return declaredTracks; }
    // Exact time of a message: timeUnits / timeUnitsPerSecond() seconds.
    uint64_t timeUnitsPerSecond() const { return unitsPerSecond; }
    const std::vector<MidiMessage>& messages() const { return timeline; }
    // Time of the last event of any track, end-of-track markers included.
    uint64_t endTimeUnits() const { return endUnits; }
    double durationSeconds() const;

private:
    bool parseBytes(const uint8_t* data, size_t size);
    bool fail(const std::string& message);

    std::vector<MidiMessage> timeline;
    std::string errorText;
    int fileFormat = 0;
    int declaredTracks = 0;
    uint64_t unitsPerSecond = 1;
    uint64_t endUnits = 0;
};

} // namespace render
