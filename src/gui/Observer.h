#pragma once

namespace gui
{
// Receives the events of the observables it attached to.
class Observable;

class Observer
{
public:
    virtual ~Observer() = default;
    virtual void Notify(int eventId, void* data, Observable* source) = 0;
    // Called when added to an observable: register for the wanted events there (RegisterEvents).
    virtual void Attach(Observable* observable) = 0;
};

} // namespace gui
