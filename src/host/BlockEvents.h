// The MIDI events of one block in time order, channel messages and system-exclusive dumps (tuning among
// them), kept in lists and a byte store sized ahead so that the audio thread never allocates, and handed to
// the instrument a piece of the block at a time as a VST 2.4 event list.
// Threads: reserve on the host's user-interface thread while processing is suspended; the rest on its
// audio thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/VstInterface.h"

namespace host
{

class BlockEvents
{
public:
    // Dumps a block may carry, and their bytes together: a whole tuning dump is a few hundred bytes.
    static constexpr int kSysexCapacity = 64;
    static constexpr size_t kSysexByteCapacity = 64 * 1024;

    // Room for this many channel messages a block; false (the old room kept) when memory runs out.
    bool reserve(int capacity);
    int capacity() const { return static_cast<int>(events.size()); }

    void clear()
    {
        count = 0;
        sysexCount = 0;
        sysexUsed = 0;
        next = 0;
    }
    // Channel messages and dumps together.
    int size() const { return count + sysexCount; }
    // Puts the event behind those with the same or an earlier offset; false when the lists are full.
    bool add(int offset, uint8_t status, uint8_t data1, uint8_t data2);
    // A system-exclusive dump, F0 to F7, copied; false when it is empty or the dumps' room is full.
    bool addSysex(int offset, const uint8_t* bytes, size_t length);
    // The events of the next piece of the block, those with offsets below `to`, their offsets counted from
    // `from` (where the piece starts); the list may be empty. Pieces are taken in order, once each.
    VstEvents* piece(int from, int to);

private:
    void insert(VstEvent* event);

    std::vector<VstMidiEvent> events;
    std::vector<VstMidiSysexEvent> sysexEvents;
    std::vector<char> sysexBytes;
    // The events in time order, and the list the instrument is given (VstEvents and its pointers).
    std::vector<VstEvent*> ordered;
    std::vector<unsigned char> list;
    int count = 0;
    int sysexCount = 0;
    size_t sysexUsed = 0;
    // The first event not yet given in a piece.
    int next = 0;
};

} // namespace host
