// The MIDI events of one block in time order, kept in lists sized ahead so that the audio thread never
// allocates, and handed to the instrument a piece of the block at a time as a VST 2.4 event list.
// Threads: reserve on the host's user-interface thread while processing is suspended; the rest on its
// audio thread.
#pragma once

#include <cstdint>
#include <vector>

#include "host/VstInterface.h"

namespace host
{

class BlockEvents
{
public:
    // Room for this many events a block; false (the old room kept) when memory runs out.
    bool reserve(int capacity);
    int capacity() const { return static_cast<int>(events.size()); }

    void clear()
    {
        count = 0;
        next = 0;
    }
    int size() const { return count; }
    // Puts the event behind those with the same or an earlier offset; false when the lists are full.
    bool add(int offset, uint8_t status, uint8_t data1, uint8_t data2);
    // The events of the next piece of the block, those with offsets below `to`, their offsets counted from
    // `from` (where the piece starts); the list may be empty. Pieces are taken in order, once each.
    VstEvents* piece(int from, int to);

private:
    std::vector<VstMidiEvent> events;
    // The events in time order, and the list the instrument is given (VstEvents and its pointers).
    std::vector<VstMidiEvent*> ordered;
    std::vector<unsigned char> list;
    int count = 0;
    // The first event not yet given in a piece.
    int next = 0;
};

} // namespace host
