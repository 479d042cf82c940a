// The URIs the LV2 plug-in reads and writes, mapped to the host's integers once per instance. Plain data,
// any thread once mapped.
#pragma once

#include <lv2/urid/urid.h>

namespace host
{

struct Lv2Urids
{
    LV2_URID atomBlank = 0;
    LV2_URID atomObject = 0;
    LV2_URID atomChunk = 0;
    LV2_URID atomInt = 0;
    LV2_URID atomLong = 0;
    LV2_URID atomFloat = 0;
    LV2_URID atomDouble = 0;
    LV2_URID midiEvent = 0;
    LV2_URID timePosition = 0;
    LV2_URID timeFrame = 0;
    LV2_URID timeSpeed = 0;
    LV2_URID timeBeatsPerMinute = 0;
    LV2_URID timeBar = 0;
    LV2_URID timeBarBeat = 0;
    LV2_URID timeBeatsPerBar = 0;
    LV2_URID timeBeatUnit = 0;
    LV2_URID maxBlockLength = 0;
    LV2_URID nominalBlockLength = 0;
    LV2_URID stateChunk = 0;
    LV2_URID stateProgram = 0;

    void map(const LV2_URID_Map& map);
};

} // namespace host
