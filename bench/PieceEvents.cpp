#include "PieceEvents.h"

using namespace host;

void PieceEvents::prepare(const NoteSequence& notes)
{
    midi.assign(notes.events.size(), VstMidiEvent{});
    listStorage.assign(sizeof(VstEvents) + notes.events.size() * sizeof(VstEvent*), 0);
}

VstEvents* PieceEvents::take(const NoteSequence& notes, size_t& next, uint64_t start, uint64_t end)
{
    auto* list = reinterpret_cast<VstEvents*>(listStorage.data());
    list->numEvents = 0;
    while (next < notes.events.size() && next < midi.size() && notes.events[next].frame < end)
    {
        const TimedEvent& event = notes.events[next];
        VstMidiEvent& m = midi[next++];
        m = VstMidiEvent{};
        m.type = kVstMidiType;
        m.byteSize = sizeof(VstMidiEvent);
        m.deltaFrames = static_cast<VstInt32>(event.frame - start);
        m.midiData[0] = static_cast<char>(event.status);
        m.midiData[1] = static_cast<char>(event.data1);
        m.midiData[2] = static_cast<char>(event.data2);
        list->events[list->numEvents++] = reinterpret_cast<VstEvent*>(&m);
    }
    return list;
}
