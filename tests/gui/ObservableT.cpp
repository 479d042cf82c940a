#include "gui/Observable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/Observer.h"

using namespace gui;

namespace
{
class Listener : public Observer
{
public:
    Listener(std::vector<std::string>& sink, std::string label, std::vector<int> eventIds)
        : journal(sink), name(std::move(label)), events(std::move(eventIds))
    {
        events.push_back(-1);
    }
    void Attach(Observable* o) override
    {
        ++attaches;
        o->RegisterEvents(this, events.data());
    }
    void Notify(int eventId, void* data, Observable* source) override
    {
        journal.push_back(name + ":" + std::to_string(eventId));
        lastData = data;
        lastSource = source;
        // One-shot: the hook may notify again from inside.
        auto hook = std::move(onNotify);
        onNotify = nullptr;
        if (hook)
            hook();
    }
    std::function<void()> onNotify;
    int attaches = 0;
    void* lastData = nullptr;
    Observable* lastSource = nullptr;

private:
    std::vector<std::string>& journal;
    std::string name;
    std::vector<int> events;
};
} // namespace

TEST(Observable, NotifiesOnlyObserversOfThatEventAndEachOnce)
{
    std::vector<std::string> journal;
    Observable button;
    Listener a(journal, "a", {1000, 1001, 1001}), b(journal, "b", {1002});
    button.AddObserver(&a);
    button.AddObserver(&a); // registering twice still notifies once
    button.AddObserver(&b);
    int payload = 7;
    button.NotifyObservers(1001, &payload);
    button.NotifyObservers(1002, nullptr);
    button.NotifyObservers(1005, nullptr); // no observers: nothing at all
    EXPECT_EQ(journal, (std::vector<std::string>{"a:1001", "b:1002"}));
    EXPECT_EQ(a.lastData, &payload);
    EXPECT_EQ(a.lastSource, &button);
}

TEST(Observable, RemovalDuringNotificationWaitsForTheOutermostToEnd)
{
    std::vector<std::string> journal;
    Observable button;
    Listener first(journal, "first", {1000, 1001}), second(journal, "second", {1000, 1001});
    button.AddObserver(&first);
    button.AddObserver(&second);
    first.onNotify = [&]
    {
        button.RemoveObserver(&second);
        button.RemoveObserver(&first);
        button.NotifyObservers(1001, nullptr); // nested: the removed ones are already skipped
        EXPECT_FALSE(button.HasObserver(&second, 1000));
    };
    button.NotifyObservers(1000, nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"first:1000"}));
    button.NotifyObservers(1000, nullptr);
    EXPECT_EQ(journal.size(), 1u);
}

TEST(Observable, AddingBackWhilePendingCancelsTheRemoval)
{
    std::vector<std::string> journal;
    Observable button;
    Listener a(journal, "a", {1000});
    button.AddObserver(&a);
    a.onNotify = [&]
    {
        button.RemoveObserver(&a);
        button.AddObserver(&a);
    };
    button.NotifyObservers(1000, nullptr);
    button.NotifyObservers(1000, nullptr);
    EXPECT_EQ(journal.size(), 2u);
    EXPECT_EQ(a.attaches, 1);
}
