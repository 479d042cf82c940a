#pragma once

#include <cstdint>

namespace render
{

// One channel message of a MIDI file with its place in time. The exact time is timeUnits divided by the
// file's units per second (see MidiFile::timeUnitsPerSecond); seconds is the same time as a double.
struct MidiMessage
{
    uint64_t tick = 0;
    uint64_t timeUnits = 0;
    double seconds = 0.0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0; // 0 for messages with one data byte
    uint16_t track = 0;
    uint32_t indexInTrack = 0;

    uint8_t kind() const { return status & 0xF0; }
    uint8_t channel() const { return status & 0x0F; }
    bool isNoteOn() const { return kind() == 0x90 && data2 > 0; }
    // A note-on with velocity 0 ends a note as well.
    bool isNoteOff() const { return kind() == 0x80 || (kind() == 0x90 && data2 == 0); }
    // Status lowest, then the two data bytes: the layout of a plug-in MIDI event's data.
    uint32_t packed() const { return uint32_t(status) | (uint32_t(data1) << 8) | (uint32_t(data2) << 16); }
};

} // namespace render
