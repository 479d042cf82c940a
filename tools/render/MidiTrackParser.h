#pragma once

#include "render/MidiMessage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace render
{

struct TempoChange
{
    uint64_t tick = 0;
    uint32_t microsecondsPerQuarter = 500000;
};

// Reads the events of one track chunk: channel messages (with running status) and tempo changes; system
// exclusive and other meta events are stepped over by their declared lengths, which are checked.
class MidiTrackParser
{
public:
    // data points at the chunk's body of size bytes; fileOffset is where that body starts in the file.
    bool parse(const uint8_t* data, size_t size, size_t fileOffset, uint16_t trackIndex);

    const std::vector<MidiMessage>& messages() const { return parsedMessages; }
    const std::vector<TempoChange>& tempoChanges() const { return parsedTempoChanges; }
    // Tick of the last event, the end-of-track marker included.
    uint64_t endTick() const { return lastTick; }
    const std::string& error() const { return errorText; }

private:
    std::vector<MidiMessage> parsedMessages;
    std::vector<TempoChange> parsedTempoChanges;
    uint64_t lastTick = 0;
    std::string errorText;
};

} // namespace render
