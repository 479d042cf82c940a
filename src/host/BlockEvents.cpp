#include "host/BlockEvents.h"

#include <algorithm>
#include <new>

namespace host
{

bool BlockEvents::reserve(int capacity)
{
    const size_t room = static_cast<size_t>(std::max(capacity, 1));
    try
    {
        std::vector<VstMidiEvent> newEvents(room);
        std::vector<VstMidiEvent*> newOrdered(room);
        // VstEvents declares room for two pointers; the list is as long as it needs to be.
        std::vector<unsigned char> newList(sizeof(VstEvents) + std::max<size_t>(room, 2) * sizeof(VstEvent*));
        events.swap(newEvents);
        ordered.swap(newOrdered);
        list.swap(newList);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    clear();
    return true;
}

bool BlockEvents::add(int offset, uint8_t status, uint8_t data1, uint8_t data2)
{
    if (count >= capacity())
        return false;
    VstMidiEvent& event = events[static_cast<size_t>(count)];
    event = VstMidiEvent{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = offset;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    // Formats deliver events in time order, so the new one nearly always goes last.
    int at = count;
    while (at > 0 && ordered[static_cast<size_t>(at - 1)]->deltaFrames > offset)
    {
        ordered[static_cast<size_t>(at)] = ordered[static_cast<size_t>(at - 1)];
        --at;
    }
    ordered[static_cast<size_t>(at)] = &event;
    ++count;
    return true;
}

VstEvents* BlockEvents::piece(int from, int to)
{
    auto* out = reinterpret_cast<VstEvents*>(list.data());
    if (!out)
        return nullptr;
    out->numEvents = 0;
    out->reserved = 0;
    for (; next < count && ordered[static_cast<size_t>(next)]->deltaFrames < to; ++next)
    {
        VstMidiEvent* event = ordered[static_cast<size_t>(next)];
        event->deltaFrames -= from;
        out->events[out->numEvents++] = reinterpret_cast<VstEvent*>(event);
    }
    return out;
}

} // namespace host
