// The host's event list for one block of a note sequence, kept in storage sized ahead for the whole
// sequence, so that making it allocates nothing while the plug-in's heap operations are counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "NoteSequence.h"
#include "host/VstInterface.h"

class PieceEvents
{
public:
    // Room for every event of the sequence.
    void prepare(const NoteSequence& notes);
    // The events from index next on that fall before frame end, at their offsets from frame start; next moves
    // past them.
    host::VstEvents* take(const NoteSequence& notes, size_t& next, uint64_t start, uint64_t end);

private:
    std::vector<host::VstMidiEvent> midi;
    std::vector<unsigned char> listStorage;
};
