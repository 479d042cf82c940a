#include "host/BlockEvents.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace host
{

bool BlockEvents::reserve(int capacity)
{
    const size_t room = static_cast<size_t>(std::max(capacity, 1));
    const size_t all = room + kSysexCapacity;
    try
    {
        std::vector<VstMidiEvent> newEvents(room);
        std::vector<VstMidiSysexEvent> newSysexEvents(kSysexCapacity);
        std::vector<char> newSysexBytes(kSysexByteCapacity);
        std::vector<VstEvent*> newOrdered(all);
        // VstEvents declares room for two pointers; the list is as long as it needs to be.
        std::vector<unsigned char> newList(sizeof(VstEvents) + all * sizeof(VstEvent*));
        events.swap(newEvents);
        sysexEvents.swap(newSysexEvents);
        sysexBytes.swap(newSysexBytes);
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
    ++count;
    insert(reinterpret_cast<VstEvent*>(&event));
    return true;
}

bool BlockEvents::addSysex(int offset, const uint8_t* bytes, size_t length)
{
    if (!bytes || length == 0 || sysexCount >= static_cast<int>(sysexEvents.size()) ||
        length > sysexBytes.size() - sysexUsed)
        return false;
    char* dump = sysexBytes.data() + sysexUsed;
    std::memcpy(dump, bytes, length);
    sysexUsed += length;
    VstMidiSysexEvent& event = sysexEvents[static_cast<size_t>(sysexCount)];
    event = VstMidiSysexEvent{};
    event.type = kVstSysExType;
    event.byteSize = sizeof(VstMidiSysexEvent);
    event.deltaFrames = offset;
    event.dumpBytes = static_cast<VstInt32>(length);
    event.sysexDump = dump;
    ++sysexCount;
    insert(reinterpret_cast<VstEvent*>(&event));
    return true;
}

void BlockEvents::insert(VstEvent* event)
{
    // Formats deliver events in time order, so the new one nearly always goes last.
    int at = size() - 1;
    while (at > 0 && ordered[static_cast<size_t>(at - 1)]->deltaFrames > event->deltaFrames)
    {
        ordered[static_cast<size_t>(at)] = ordered[static_cast<size_t>(at - 1)];
        --at;
    }
    ordered[static_cast<size_t>(at)] = event;
}

VstEvents* BlockEvents::piece(int from, int to)
{
    auto* out = reinterpret_cast<VstEvents*>(list.data());
    if (!out)
        return nullptr;
    out->numEvents = 0;
    out->reserved = 0;
    for (; next < size() && ordered[static_cast<size_t>(next)]->deltaFrames < to; ++next)
    {
        VstEvent* event = ordered[static_cast<size_t>(next)];
        event->deltaFrames -= from;
        out->events[out->numEvents++] = event;
    }
    return out;
}

} // namespace host
