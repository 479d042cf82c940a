#pragma once
// The object timers of a window: which object and owner data each timer id belongs to. Ids come
// from one process-wide counter starting at 15000, clear of the window's own timer ids.
#include <vector>

namespace gui
{

class TWGuiObject;

class TWTimerRegistry
{
public:
    static constexpr unsigned kFirstId = 15000;

    struct Entry
    {
        void* ownerData;
        unsigned id;
        TWGuiObject* object;
    };

    static unsigned NextId();
    void Add(const Entry& entry) { entries.push_back(entry); }
    // Removes the object's timers with that owner data (only the first match) or, with anyOwnerData,
    // all of them; returns the removed ids.
    std::vector<unsigned> Remove(const TWGuiObject* object, void* ownerData, bool anyOwnerData);
    bool Find(unsigned id, Entry& entry) const;
    bool IsEmpty() const { return entries.empty(); }

private:
    std::vector<Entry> entries;
};

} // namespace gui
