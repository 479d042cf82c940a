#include "instrument/GuiEventQueue.h"

namespace instrument
{

GuiEventQueue::GuiEventQueue()
{
    entries.reserve(kGrowBy);
}

void GuiEventQueue::Append(uint32_t message, int32_t frameOffset)
{
    platform::CriticalSectionLock guard(lock);
    // The queue grows in small steps: editor events come a few at a time.
    if (entries.size() == entries.capacity())
        entries.reserve(entries.capacity() + kGrowBy);
    entries.push_back(GuiEvent{message, frameOffset});
}

} // namespace instrument
