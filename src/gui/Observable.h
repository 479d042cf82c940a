#pragma once
// Tells the observers registered for an event id about it. Observers removed while a notification
// runs are taken off only when the outermost notification ends. Guarded by its own lock.
#include <map>
#include <vector>

#include "gui/CLock.h"

namespace gui
{

class Observer;

class Observable
{
public:
    virtual ~Observable() = default;

    // Attaches the observer, or cancels its pending removal.
    void AddObserver(Observer* observer);
    // Registers the observer for the ids of a list ending with -1, each once.
    void RegisterEvents(Observer* observer, const int* eventIds);
    void RemoveObserver(Observer* observer);
    void NotifyObservers(int eventId, void* data);
    bool HasObserver(const Observer* observer, int eventId) const;

private:
    bool IsPendingRemoval(const Observer* observer) const;
    void RemoveNow(const Observer* observer);

    std::map<int, std::vector<Observer*>> observers;
    std::vector<Observer*> pendingRemoval;
    int notifyDepth = 0;
    mutable CLock lock;
};

} // namespace gui
