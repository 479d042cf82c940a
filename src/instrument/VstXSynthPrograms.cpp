// Parameters, programs, the state chunk and the MIDI program names the host asks for.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "instrument/VstXSynth.h"
#include "instrument/programs/MidiProgramNames.h"
#include "resources/Log.h"

using namespace host;

namespace instrument
{

void VstXSynth::setParameter(VstInt32 index, float value)
{
    resources::LogFormatted("Set Parameter %i value %f", index, static_cast<double>(value));
    const PianoSettings before = requested.load();
    PianoSettings after = before;
    if (!ParameterTable::set(after, index, value))
    {
        displayChanged.store(settingsChanged.load(std::memory_order_relaxed), std::memory_order_relaxed);
        return;
    }
    if (index == ParameterTable::kLid)
        requested.storeField(offsetof(PianoSettings, lidPosition), after);
    else
        requested.storeChanged(before, after);
    markSettingsChanged();
}

float VstXSynth::getParameter(VstInt32 index)
{
    return ParameterTable::reported(requested.load(), index);
}

void VstXSynth::getParameterName(VstInt32 index, char* text)
{
    parameterTable.name(index, text);
}

void VstXSynth::getParameterDisplay(VstInt32 index, char* text)
{
    parameterTable.display(requested.load(), index, text);
}

void VstXSynth::getParameterLabel(VstInt32 index, char* label)
{
    ParameterTable::label(index, label);
}

void VstXSynth::setProgram(VstInt32 program)
{
    if (program < 0 || program == curProgram || program >= programs.count() || !engine || !engine->hasSynth())
        return;
    // Edits made while a program is current stay with it.
    if (StoredProgram* current = programs.program(curProgram))
        for (int i = 0; i < ParameterTable::kCount; ++i)
            current->values[i] = getParameter(i);
    const StoredProgram* next = programs.program(program);
    for (int i = 0; i < ParameterTable::kCount; ++i)
        setParameter(i, next->values[i]);
    curProgram = program;
}

void VstXSynth::setProgramName(char* name)
{
    programs.rename(curProgram, name);
}

void VstXSynth::getProgramName(char* name)
{
    // The host's buffer holds a VST program name, no more.
    programs.copyName(curProgram, name, kVstMaxProgNameLen + 1);
}

bool VstXSynth::getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text)
{
    return programs.copyName(index, text, kVstMaxProgNameLen + 1);
}

VstInt32 VstXSynth::getChunk(void** data, bool isPreset)
{
    chunk = requested.load();
    *data = &chunk;
    return sizeof(PianoSettings);
}

VstInt32 VstXSynth::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    if (!data || byteSize != static_cast<VstInt32>(sizeof(PianoSettings)))
        return 0;
    // Taken as it comes: the host gets the same bytes back, and the audio path keeps each field in range.
    PianoSettings settings;
    std::memcpy(static_cast<void*>(&settings), data, sizeof settings);
    requested.store(settings);
    markSettingsChanged();
    return sizeof(PianoSettings);
}

namespace
{
void fillProgramName(MidiProgramName* record, VstInt32 channel, int program)
{
    record->midiBankMsb = -1;
    record->midiBankLsb = -1;
    record->reserved = 0;
    record->flags = 0;
    if (channel == MidiProgramNames::kDrumChannel)
    {
        std::snprintf(record->name, sizeof record->name, "%s", MidiProgramNames::drumProgramName());
        record->midiProgram = 0;
        record->parentCategoryIndex = 0;
        return;
    }
    std::snprintf(record->name, sizeof record->name, "%s", MidiProgramNames::programName(program));
    record->midiProgram = static_cast<char>(program);
    record->parentCategoryIndex = MidiProgramNames::categoryOf(program);
}
} // namespace

VstInt32 VstXSynth::getMidiProgramName(VstInt32 channel, MidiProgramName* name)
{
    if (!name || name->thisProgramIndex < 0 || name->thisProgramIndex > 127)
        return 0;
    fillProgramName(name, channel, name->thisProgramIndex);
    return channel == MidiProgramNames::kDrumChannel ? 1 : 128;
}

VstInt32 VstXSynth::getCurrentMidiProgram(VstInt32 channel, MidiProgramName* current)
{
    if (!current || channel < 0 || channel > 15)
        return -1;
    current->thisProgramIndex = channelPrograms[channel];
    fillProgramName(current, channel, current->thisProgramIndex);
    return current->thisProgramIndex;
}

VstInt32 VstXSynth::getMidiProgramCategory(VstInt32 channel, MidiProgramCategory* category)
{
    if (!category)
        return 0;
    category->parentCategoryIndex = -1;
    category->flags = 0;
    if (channel == MidiProgramNames::kDrumChannel)
    {
        std::snprintf(category->name, sizeof category->name, "%s", MidiProgramNames::drumCategoryName());
        return 1;
    }
    std::snprintf(category->name, sizeof category->name, "%s",
                  MidiProgramNames::categoryName(category->thisCategoryIndex));
    return MidiProgramNames::kCategoryCount;
}

bool VstXSynth::getMidiKeyName(VstInt32 channel, MidiKeyName* keyName)
{
    if (keyName)
    {
        keyName->keyName[0] = 0;
        keyName->reserved = 0;
        keyName->flags = 0;
    }
    return false;
}

} // namespace instrument
