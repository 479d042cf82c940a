#include "gui/Observable.h"

#include <algorithm>

#include "gui/Observer.h"

namespace gui
{

void Observable::AddObserver(Observer* observer)
{
    if (!observer)
        return;
    CAutoLock hold(lock);
    const auto pending = std::find(pendingRemoval.begin(), pendingRemoval.end(), observer);
    if (pending != pendingRemoval.end())
    {
        pendingRemoval.erase(pending);
        return;
    }
    observer->Attach(this);
}

void Observable::RegisterEvents(Observer* observer, const int* eventIds)
{
    if (!observer || !eventIds)
        return;
    CAutoLock hold(lock);
    for (; *eventIds != -1; ++eventIds)
    {
        std::vector<Observer*>& list = observers[*eventIds];
        if (std::find(list.begin(), list.end(), observer) == list.end())
            list.push_back(observer);
    }
}

void Observable::RemoveObserver(Observer* observer)
{
    if (!observer)
        return;
    CAutoLock hold(lock);
    if (notifyDepth > 0)
    {
        if (!IsPendingRemoval(observer))
            pendingRemoval.push_back(observer);
        return;
    }
    RemoveNow(observer);
}

void Observable::NotifyObservers(int eventId, void* data)
{
    CAutoLock hold(lock);
    const auto found = observers.find(eventId);
    if (found == observers.end())
        return;
    ++notifyDepth;
    // A copy: observers may register others while being told.
    const std::vector<Observer*> list = found->second;
    for (Observer* observer : list)
        if (!IsPendingRemoval(observer))
            observer->Notify(eventId, data, this);
    if (--notifyDepth == 0)
    {
        for (Observer* observer : pendingRemoval)
            RemoveNow(observer);
        pendingRemoval.clear();
    }
}

bool Observable::HasObserver(const Observer* observer, int eventId) const
{
    CAutoLock hold(lock);
    const auto found = observers.find(eventId);
    return found != observers.end() && !IsPendingRemoval(observer) &&
           std::find(found->second.begin(), found->second.end(), observer) != found->second.end();
}

bool Observable::IsPendingRemoval(const Observer* observer) const
{
    return std::find(pendingRemoval.begin(), pendingRemoval.end(), observer) != pendingRemoval.end();
}

void Observable::RemoveNow(const Observer* observer)
{
    for (auto& entry : observers)
        entry.second.erase(std::remove(entry.second.begin(), entry.second.end(), observer),
                           entry.second.end());
}

} // namespace gui
