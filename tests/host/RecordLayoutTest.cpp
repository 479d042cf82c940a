// The records a host and the plug-in exchange, byte for byte as hosts compiled for 32-bit and for 64-bit
// systems lay them out: a field in another place is a crash inside the host.
#include <gtest/gtest.h>

#include <cstddef>

#include "host/VstInterface.h"

using namespace host;

namespace
{

struct FieldPlace
{
    const char* field;
    size_t offset32;
    size_t offset64;
    size_t actual;
};

size_t expected(const FieldPlace& place)
{
    return sizeof(void*) == 8 ? place.offset64 : place.offset32;
}

void expectPlaces(const FieldPlace* places, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(places[i].actual, expected(places[i])) << places[i].field;
}

TEST(RecordLayout, PointersAreFourOrEightBytes)
{
    ASSERT_TRUE(sizeof(void*) == 4 || sizeof(void*) == 8);
    EXPECT_EQ(sizeof(VstIntPtr), sizeof(void*));
    EXPECT_EQ(sizeof(audioMasterCallback), sizeof(void*));
}

TEST(RecordLayout, EffectRecord)
{
    const FieldPlace places[] = {
        {"magic", 0, 0, offsetof(AEffect, magic)},
        {"dispatcher", 4, 8, offsetof(AEffect, dispatcher)},
        {"process", 8, 16, offsetof(AEffect, process)},
        {"setParameter", 12, 24, offsetof(AEffect, setParameter)},
        {"getParameter", 16, 32, offsetof(AEffect, getParameter)},
        {"numPrograms", 20, 40, offsetof(AEffect, numPrograms)},
        {"numParams", 24, 44, offsetof(AEffect, numParams)},
        {"numInputs", 28, 48, offsetof(AEffect, numInputs)},
        {"numOutputs", 32, 52, offsetof(AEffect, numOutputs)},
        {"flags", 36, 56, offsetof(AEffect, flags)},
        {"resvd1", 40, 64, offsetof(AEffect, resvd1)},
        {"resvd2", 44, 72, offsetof(AEffect, resvd2)},
        {"initialDelay", 48, 80, offsetof(AEffect, initialDelay)},
        {"realQualities", 52, 84, offsetof(AEffect, realQualities)},
        {"offQualities", 56, 88, offsetof(AEffect, offQualities)},
        {"ioRatio", 60, 92, offsetof(AEffect, ioRatio)},
        {"object", 64, 96, offsetof(AEffect, object)},
        {"user", 68, 104, offsetof(AEffect, user)},
        {"uniqueID", 72, 112, offsetof(AEffect, uniqueID)},
        {"version", 76, 116, offsetof(AEffect, version)},
        {"processReplacing", 80, 120, offsetof(AEffect, processReplacing)},
        {"processDoubleReplacing", 84, 128, offsetof(AEffect, processDoubleReplacing)},
        {"future", 88, 136, offsetof(AEffect, future)},
        {"size", 144, 192, sizeof(AEffect)},
    };
    expectPlaces(places, std::size(places));
}

TEST(RecordLayout, EventRecords)
{
    const FieldPlace places[] = {
        {"VstEvents::numEvents", 0, 0, offsetof(VstEvents, numEvents)},
        {"VstEvents::reserved", 4, 8, offsetof(VstEvents, reserved)},
        {"VstEvents::events", 8, 16, offsetof(VstEvents, events)},
        {"VstEvents size", 16, 32, sizeof(VstEvents)},
        {"VstEvent size", 32, 32, sizeof(VstEvent)},
        {"VstMidiEvent::deltaFrames", 8, 8, offsetof(VstMidiEvent, deltaFrames)},
        {"VstMidiEvent::midiData", 24, 24, offsetof(VstMidiEvent, midiData)},
        {"VstMidiEvent::noteOffVelocity", 29, 29, offsetof(VstMidiEvent, noteOffVelocity)},
        {"VstMidiEvent size", 32, 32, sizeof(VstMidiEvent)},
        {"VstMidiSysexEvent::dumpBytes", 16, 16, offsetof(VstMidiSysexEvent, dumpBytes)},
        {"VstMidiSysexEvent::sysexDump", 24, 32, offsetof(VstMidiSysexEvent, sysexDump)},
        {"VstMidiSysexEvent size", 32, 48, sizeof(VstMidiSysexEvent)},
    };
    expectPlaces(places, std::size(places));
}

TEST(RecordLayout, PropertyRecords)
{
    const FieldPlace places[] = {
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
    expectPlaces(places, std::size(places));
}

} // namespace
