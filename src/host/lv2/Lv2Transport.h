// The host's transport as LV2 tells it: the time:Position objects of the MIDI input (sent when the host
// starts, stops, moves or changes tempo), carried forward block by block in between and given to the
// instrument as VST 2.4 time info. Audio thread.
#pragma once

#include <lv2/atom/atom.h>

#include "host/VstInterface.h"
#include "host/lv2/Lv2Urids.h"

namespace host
{

class Lv2Transport
{
public:
    explicit Lv2Transport(const Lv2Urids& urids) : uris(urids) {}

    // Takes a position object; other objects are passed over. True when it was a position.
    bool read(const LV2_Atom_Object* object);
    // The transport at the start of the coming block.
    const VstTimeInfo& info() const { return time; }
    // Moves the transport on by a block at the rate.
    void advance(int frames, double rate);

private:
    const Lv2Urids& uris;
    VstTimeInfo time{};
    double speed = 0.0;
    double beatsPerBar = 4.0;
    double beatUnit = 4.0;
};

} // namespace host
