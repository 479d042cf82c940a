#include "gui/TWTimerRegistry.h"

#include <atomic>

namespace gui
{

unsigned TWTimerRegistry::NextId()
{
    static std::atomic<unsigned> next{kFirstId};
    return next++;
}

std::vector<unsigned> TWTimerRegistry::Remove(const TWGuiObject* object, void* ownerData, bool anyOwnerData)
{
    std::vector<unsigned> removed;
    for (auto it = entries.begin(); it != entries.end();)
    {
        if (it->object == object && (anyOwnerData || it->ownerData == ownerData))
        {
            removed.push_back(it->id);
            it = entries.erase(it);
            if (!anyOwnerData)
                break;
        }
        else
        {
            ++it;
        }
    }
    return removed;
}

bool TWTimerRegistry::Find(unsigned id, Entry& entry) const
{
    for (const Entry& e : entries)
        if (e.id == id)
        {
            entry = e;
            return true;
        }
    return false;
}

} // namespace gui
