#include "host/lv2/Lv2Transport.h"

#include <lv2/atom/util.h>

#include <cmath>

namespace host
{

namespace
{
// The number an atom holds, for the number types a host may send; false for anything else.
bool numberOf(const LV2_Atom* atom, const Lv2Urids& uris, double& value)
{
    if (!atom)
        return false;
    if (atom->type == uris.atomFloat && atom->size >= sizeof(float))
        value = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    else if (atom->type == uris.atomDouble && atom->size >= sizeof(double))
        value = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    else if (atom->type == uris.atomInt && atom->size >= sizeof(int32_t))
        value = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    else if (atom->type == uris.atomLong && atom->size >= sizeof(int64_t))
        value = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    else
        return false;
    return std::isfinite(value);
}
} // namespace

bool Lv2Transport::read(const LV2_Atom_Object* object)
{
    if (!object || object->body.otype != uris.timePosition)
        return false;
    const LV2_Atom* frame = nullptr;
    const LV2_Atom* newSpeed = nullptr;
    const LV2_Atom* tempo = nullptr;
    const LV2_Atom* bar = nullptr;
    const LV2_Atom* barBeat = nullptr;
    const LV2_Atom* perBar = nullptr;
    const LV2_Atom* unit = nullptr;
    lv2_atom_object_get(object, uris.timeFrame, &frame, uris.timeSpeed, &newSpeed, uris.timeBeatsPerMinute,
                        &tempo, uris.timeBar, &bar, uris.timeBarBeat, &barBeat, uris.timeBeatsPerBar, &perBar,
                        uris.timeBeatUnit, &unit, 0);
    double value = 0.0;
    if (numberOf(frame, uris, value))
        time.samplePos = value;
    if (numberOf(newSpeed, uris, value))
        speed = value;
    if (speed != 0.0)
        time.flags |= kVstTransportPlaying;
    else
        time.flags &= ~kVstTransportPlaying;
    if (numberOf(tempo, uris, value) && value > 0.0)
    {
        time.tempo = value;
        time.flags |= kVstTempoValid;
    }
    if (numberOf(perBar, uris, value) && value > 0.0)
        beatsPerBar = value;
    if (numberOf(unit, uris, value) && value > 0.0)
        beatUnit = value;
    double barNumber = 0.0;
    double beat = 0.0;
    if (numberOf(bar, uris, barNumber) && numberOf(barBeat, uris, beat))
    {
        // Quarter notes from the song's start.
        const double quarterPerBeat = 4.0 / beatUnit;
        time.barStartPos = barNumber * beatsPerBar * quarterPerBeat;
        time.ppqPos = time.barStartPos + beat * quarterPerBeat;
        time.timeSigNumerator = static_cast<VstInt32>(beatsPerBar);
        time.timeSigDenominator = static_cast<VstInt32>(beatUnit);
        time.flags |= kVstPpqPosValid | kVstBarsValid | kVstTimeSigValid;
    }
    return true;
}

void Lv2Transport::advance(int frames, double rate)
{
    if (frames <= 0 || rate <= 0.0)
        return;
    time.samplePos += frames * speed;
    if ((time.flags & (kVstPpqPosValid | kVstTempoValid)) == (kVstPpqPosValid | kVstTempoValid))
        time.ppqPos += frames * speed / rate * time.tempo / 60.0;
}

} // namespace host
