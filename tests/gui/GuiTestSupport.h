#pragma once
// Objects that record what the toolkit asks of them, and a window on a headless native window.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "gui/TWGuiContainer.h"
#include "gui/TWGuiWindow.h"
#include "images/CCanvas.h"
#include "platform/native/HeadlessNativeWindow.h"
#include "resources/Log.h"

struct MouseRecord
{
    int event;
    int x;
    int y;
    unsigned keyState;
    bool operator==(const MouseRecord& o) const
    {
        return event == o.event && x == o.x && y == o.y && keyState == o.keyState;
    }
};

// Shared recording for leaf objects and containers.
struct Recorder
{
    std::string name;
    std::vector<std::string>* journal = nullptr; // names of everything that handled an event, in order
    std::vector<platform::Rect> draws;
    std::vector<MouseRecord> mouse;
    std::vector<int> keys; // event * 1000 + virtual key, modifiers in modifierLog
    std::vector<unsigned> modifierLog;
    std::vector<void*> timers;
    bool handlesMouse = false;
    bool handlesKeys = false;
    const char* tooltip = nullptr;
    platform::ColourRef colour = 0x808080;

    void Drew(gui::TWGuiObject& self, const platform::Rect& r)
    {
        draws.push_back(r);
        if (images::CImage* buffer = self.GetBackBuffer())
        {
            images::CCanvas canvas(*buffer, self.ToWindowRect(r), {self.GetAbsX(), self.GetAbsY()});
            canvas.FillRect(r, colour);
        }
    }
    bool Mouse(int event, int x, int y, unsigned keyState)
    {
        mouse.push_back({event, x, y, keyState});
        if (journal)
            journal->push_back(name);
        return handlesMouse;
    }
    bool Key(int event, int vk, unsigned modifiers)
    {
        keys.push_back(event * 1000 + vk);
        modifierLog.push_back(modifiers);
        if (journal)
            journal->push_back(name);
        return handlesKeys;
    }
    std::vector<int> MouseEvents() const
    {
        std::vector<int> events;
        for (const MouseRecord& m : mouse)
            events.push_back(m.event);
        return events;
    }
};

class TestObject : public gui::TWGuiObject
{
public:
    explicit TestObject(const char* name = "", int w = 10, int h = 10)
    {
        rec.name = name;
        SetSize(w, h);
    }
    void Draw(const platform::Rect& r) override { rec.Drew(*this, r); }
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override
    {
        return rec.Mouse(event, posX, posY, keyState);
    }
    bool OnKey(int event, int vk, unsigned modifiers) override { return rec.Key(event, vk, modifiers); }
    void OnTimer(void* data) override { rec.timers.push_back(data); }
    bool GetToolTipText(int, int, char* out, size_t size) override
    {
        if (!rec.tooltip)
            return false;
        std::snprintf(out, size, "%s", rec.tooltip);
        return true;
    }
    Recorder rec;
};

class TestContainer : public gui::TWGuiContainer
{
public:
    explicit TestContainer(const char* name = "", int w = 100, int h = 100)
    {
        rec.name = name;
        SetSize(w, h);
    }
    void Draw(const platform::Rect& r) override { rec.Drew(*this, r); }
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override
    {
        if (gui::TWGuiContainer::OnMouse(event, posX, posY, keyState))
            return true;
        return rec.Mouse(event, posX, posY, keyState);
    }
    Recorder rec;
};

// A toolkit window of 200 × 100 on a headless native window, with its first paint done.
class HeadlessWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto native = std::make_unique<platform::HeadlessNativeWindow>();
        headless = native.get();
        window = std::make_unique<gui::TWGuiWindow>(std::move(native));
    }
    bool Open(int w = 200, int h = 100)
    {
        if (!window->Initialize(platform::NativeParent{}, w, h))
            return false;
        Tick();
        headless->ClearPresented();
        return true;
    }
    // One refresh period passes: the tick flushes the dirty region, the paint follows.
    void Tick()
    {
        headless->AdvanceTime(gui::TWGuiWindow::kRefreshPeriodMs);
        headless->ProcessEvents();
    }
    void Wait(unsigned ms)
    {
        for (unsigned step = 0; step < ms; step += 10)
        {
            headless->AdvanceTime(10);
            headless->ProcessEvents();
        }
    }

    platform::HeadlessNativeWindow* headless = nullptr;
    std::unique_ptr<gui::TWGuiWindow> window;
};

// Sends the log to a fresh file for one test and reads it back.
class LogCapture
{
public:
    // A number of its own: tests run in parallel processes, and other build trees run the same tests.
    LogCapture() : path(::testing::TempDir() + "gui-log-" + std::to_string(std::random_device()()) + ".txt")
    {
        resources::LogStart(path);
    }
    ~LogCapture() { std::remove(path.c_str()); }
    std::string Text() const
    {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string path;
};
