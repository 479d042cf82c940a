// The records hosts and the plug-in exchange, as hosts compiled for 32-bit and 64-bit systems lay them out;
// the effect record and MIDI events are read through a real host's own declarations by the real-host test.
#include <gtest/gtest.h>

#include <cstddef>

#include "host/VstInterface.h"

using namespace host;

TEST(RecordLayout, FieldsSitWhereHostsLookForThem)
{
    const struct
    {
        const char* field;
        size_t offset32, offset64, actual;
    } places[] = {
        {"VstMidiEvent::noteOffVelocity", 29, 29, offsetof(VstMidiEvent, noteOffVelocity)},
        {"VstMidiSysexEvent::dumpBytes", 16, 16, offsetof(VstMidiSysexEvent, dumpBytes)},
        {"VstMidiSysexEvent::sysexDump", 24, 32, offsetof(VstMidiSysexEvent, sysexDump)},
        {"VstMidiSysexEvent size", 32, 48, sizeof(VstMidiSysexEvent)},
        {"VstPinProperties::flags", 64, 64, offsetof(VstPinProperties, flags)},
        {"VstPinProperties::shortLabel", 72, 72, offsetof(VstPinProperties, shortLabel)},
        {"VstPinProperties size", 128, 128, sizeof(VstPinProperties)},
        {"VstParameterProperties::label", 12, 12, offsetof(VstParameterProperties, label)},
        {"VstParameterProperties::displayIndex", 104, 104, offsetof(VstParameterProperties, displayIndex)},
        {"VstParameterProperties::categoryLabel", 112, 112, offsetof(VstParameterProperties, categoryLabel)},
        {"VstParameterProperties size", 152, 152, sizeof(VstParameterProperties)},
        {"MidiProgramName::midiProgram", 68, 68, offsetof(MidiProgramName, midiProgram)},
        {"MidiProgramName size", 80, 80, sizeof(MidiProgramName)},
        {"MidiKeyName size", 80, 80, sizeof(MidiKeyName)},
        {"ERect::right", 6, 6, offsetof(ERect, right)},
        {"ERect size", 8, 8, sizeof(ERect)},
    };
    for (const auto& place : places)
        EXPECT_EQ(place.actual, sizeof(void*) == 8 ? place.offset64 : place.offset32) << place.field;
}
