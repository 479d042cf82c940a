#include "host/lv2/Lv2Urids.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include "host/lv2/Lv2Uris.h"

namespace host
{

void Lv2Urids::map(const LV2_URID_Map& map)
{
    const auto uri = [&map](const char* text) { return map.map(map.handle, text); };
    atomBlank = uri(LV2_ATOM__Blank);
    atomObject = uri(LV2_ATOM__Object);
    atomChunk = uri(LV2_ATOM__Chunk);
    atomInt = uri(LV2_ATOM__Int);
    atomLong = uri(LV2_ATOM__Long);
    atomFloat = uri(LV2_ATOM__Float);
    atomDouble = uri(LV2_ATOM__Double);
    midiEvent = uri(LV2_MIDI__MidiEvent);
    timePosition = uri(LV2_TIME__Position);
    timeFrame = uri(LV2_TIME__frame);
    timeSpeed = uri(LV2_TIME__speed);
    timeBeatsPerMinute = uri(LV2_TIME__beatsPerMinute);
    timeBar = uri(LV2_TIME__bar);
    timeBarBeat = uri(LV2_TIME__barBeat);
    timeBeatsPerBar = uri(LV2_TIME__beatsPerBar);
    timeBeatUnit = uri(LV2_TIME__beatUnit);
    maxBlockLength = uri(LV2_BUF_SIZE__maxBlockLength);
    nominalBlockLength = uri(LV2_BUF_SIZE__nominalBlockLength);
    stateChunk = uri(lv2uri::kStateChunk);
    stateProgram = uri(lv2uri::kStateProgram);
}

} // namespace host
