#include "formathost/HostEventList.h"

using namespace host;

namespace formathost
{

tresult VST3CALL HostEventList::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IEventList::iid)
                  ? static_cast<IEventList*>(this)
                  : nullptr;
    return *object ? kResultOk : kNoInterface;
}

tresult VST3CALL HostEventList::getEvent(int32_t index, Event& e)
{
    if (index < 0 || index >= getEventCount())
        return kInvalidArgument;
    e = events[static_cast<size_t>(index)];
    return kResultOk;
}

tresult VST3CALL HostEventList::addEvent(Event& e)
{
    events.push_back(e);
    return kResultOk;
}

void HostEventList::addNote(int32_t offset, bool on, int16_t pitch, float velocity)
{
    Event event{};
    event.sampleOffset = offset;
    if (on)
    {
        event.type = Event::kNoteOnEvent;
        event.noteOn = NoteOnEvent{0, pitch, 0.0f, velocity, 0, -1};
    }
    else
    {
        event.type = Event::kNoteOffEvent;
        event.noteOff = NoteOffEvent{0, pitch, velocity, -1, 0.0f};
    }
    events.push_back(event);
}

void HostEventList::addSysex(int32_t offset, const std::vector<uint8_t>& bytes)
{
    // The event points at the bytes; moving the list of dumps leaves each dump's bytes where they are.
    dumps.push_back(bytes);
    Event event{};
    event.sampleOffset = offset;
    event.type = Event::kDataEvent;
    event.data =
        DataEvent{static_cast<uint32_t>(dumps.back().size()), DataEvent::kMidiSysEx, dumps.back().data()};
    events.push_back(event);
}

} // namespace formathost
