#pragma once
// The demo's picture and behaviour on a toolkit window: a gradient background, a tiled panel,
// three buttons, a slider and two labels from the demo skin. Writes what happens ("ready" after the
// first paint, "notify <event> <id>" for every control event) to a journal stream.
#include <cstdio>
#include <memory>

#include "gui/Observer.h"
#include "gui/TWGuiWindow.h"
#include "gui/TWGuiWindowCallback.h"
#include "gui/TWImageContainer.h"
#include "guidemo/DemoButton.h"
#include "guidemo/DemoLabel.h"
#include "guidemo/DemoSlider.h"

namespace guidemo
{

class DemoScene : public gui::Observer, public gui::TWGuiWindowCallback
{
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 240;
    enum ControlId : int32_t
    {
        kHello = 1,
        kReverb = 2,
        kAbout = 3,
        kQuit = 4,
        kVolume = 5
    };

    DemoScene(gui::TWGuiWindow& hostWindow, gui::CSkin& skin, gui::ImageManager& images,
              std::FILE* journalFile);
    ~DemoScene() override;

    void Notify(int eventId, void* data, gui::Observable* source) override;
    void Attach(gui::Observable* observable) override;
    void OnRefreshTick() override;

    bool QuitRequested() const { return quit; }
    // The centre of a control in window coordinates.
    platform::Point CentreOf(int32_t id) const;

private:
    void ShowReverbMenu();
    void Journal(const char* format, int a = 0, int b = 0);

    gui::TWGuiWindow& window;
    std::FILE* journal;
    std::unique_ptr<gui::TWImageContainer> background;
    std::unique_ptr<gui::TWImageContainer> panel;
    std::unique_ptr<DemoLabel> title;
    std::unique_ptr<DemoLabel> status;
    std::unique_ptr<DemoButton> hello;
    std::unique_ptr<DemoButton> reverb;
    std::unique_ptr<DemoButton> about;
    std::unique_ptr<DemoButton> quitButton;
    std::unique_ptr<DemoSlider> volume;
    int reverbPreset = 2;
    int ticks = 0;
    bool quit = false;
};

} // namespace guidemo
