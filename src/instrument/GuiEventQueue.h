// MIDI messages from the editor's keyboard and pedals on their way to the audio thread.
// Threads: the editor's thread appends, the audio thread drains; both hold the queue's lock for the whole
// append or the whole drain (Lock/Unlock), the one lock between editor and audio thread.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/CriticalSection.h"

namespace instrument
{

struct GuiEvent
{
    uint32_t message; // status in the low byte, then the two data bytes
    int32_t frameOffset;
};

class GuiEventQueue
{
public:
    GuiEventQueue();

    void Lock() { lock.Enter(); }
    void Unlock() { lock.Leave(); }

    // Takes the lock itself.
    void Append(uint32_t message, int32_t frameOffset);

    // The calls below expect the caller to hold the lock.
    int Count() const { return static_cast<int>(entries.size()); }
    const GuiEvent& At(int index) const { return entries[static_cast<size_t>(index)]; }
    void Clear() { entries.clear(); }

private:
    static constexpr size_t kGrowBy = 10;

    platform::CriticalSection lock;
    std::vector<GuiEvent> entries;
};

} // namespace instrument
