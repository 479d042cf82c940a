#include "guidemo/DemoScene.h"

#include <string>

#include "gui/CDeluxeMessageBox.h"
#include "gui/TWPopupMenu.h"
#include "guidemo/DemoFonts.h"
#include "resources/StringTable.h"

using namespace gui;
using namespace images;
using namespace platform;

namespace guidemo
{

namespace
{
const char* const kPresets[] = {"Small Room", "Studio", "Concert Hall", "Cathedral", "Plate"};
const int kEvents[] = {DemoButton::kClicked, DemoSlider::kChanged, -1};
} // namespace

DemoScene::DemoScene(TWGuiWindow& hostWindow, CSkin& skin, ImageManager& images, std::FILE* journalFile)
    : window(hostWindow), journal(journalFile)
{
    background = std::make_unique<TWImageContainer>("Background", &images, &skin, kWidth, kHeight, false);
    background->SetAcceptsHover(false);
    window.AddChild(background.get(), 0, 0);
    panel = std::make_unique<TWImageContainer>("Panel", &images, &skin, kWidth - 20, 60, false);
    panel->SetAcceptsHover(false);
    background->AddChild(panel.get(), 10, 170);

    title = std::make_unique<DemoLabel>(DemoFonts::Title(), 0xffffff, 370, 26);
    title->SetText("Virellando GUI toolkit");
    background->AddChild(title.get(), 16, 14);
    status = std::make_unique<DemoLabel>(DemoFonts::Caption(), MakeColourRef(0xc8, 0xd8, 0xf0), 370, 20);
    status->SetText("Click a button, drag the slider.");
    background->AddChild(status.get(), 16, 46);

    hello = std::make_unique<DemoButton>(kHello, &images, &skin, "Button", "Button Hot", "Demo Hello",
                                         "Demo Hello Tooltip");
    reverb = std::make_unique<DemoButton>(kReverb, &images, &skin, "Menu Button", "Menu Button Hot",
                                          "Demo Reverb", "Demo Reverb Tooltip");
    about = std::make_unique<DemoButton>(kAbout, &images, &skin, "Button", "Button Hot", "Demo About",
                                         "Demo About Tooltip");
    quitButton =
        std::make_unique<DemoButton>(kQuit, &images, &skin, "Button", "Button Hot", "Demo Quit", "Demo Quit");
    background->AddChild(hello.get(), 16, 96);
    background->AddChild(reverb.get(), 128, 96);
    background->AddChild(about.get(), 240, 96);
    panel->AddChild(quitButton.get(), 272, 16);
    volume = std::make_unique<DemoSlider>(kVolume, &images, &skin, 240, 24);
    panel->AddChild(volume.get(), 12, 18);

    for (TWGuiControl* control :
         {static_cast<TWGuiControl*>(hello.get()), static_cast<TWGuiControl*>(reverb.get()),
          static_cast<TWGuiControl*>(about.get()), static_cast<TWGuiControl*>(quitButton.get()),
          static_cast<TWGuiControl*>(volume.get())})
        control->AddObserver(this);
    window.SetCallback(this);
}

DemoScene::~DemoScene()
{
    window.SetCallback(nullptr);
    // Controls first, then the containers they sit in.
    volume.reset();
    quitButton.reset();
    about.reset();
    reverb.reset();
    hello.reset();
    status.reset();
    title.reset();
    panel.reset();
    background.reset();
}

void DemoScene::Attach(Observable* observable)
{
    observable->RegisterEvents(this, kEvents);
}

void DemoScene::Journal(const char* format, int a, int b)
{
    if (!journal)
        return;
    std::fprintf(journal, format, a, b);
    std::fputc('\n', journal);
    std::fflush(journal);
}

void DemoScene::OnRefreshTick()
{
    // By the second tick the first paint has reached the screen.
    if (++ticks == 2)
        Journal("ready");
}

Point DemoScene::CentreOf(int32_t id) const
{
    const TWGuiObject* objects[] = {nullptr,     hello.get(),      reverb.get(),
                                    about.get(), quitButton.get(), volume.get()};
    if (id < 1 || id > 5 || !objects[id])
        return {};
    const Rect r = objects[id]->GetAbsRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void DemoScene::ShowReverbMenu()
{
    TWPopupMenu menu;
    for (int i = 0; i < 5; ++i)
        menu.AddItem(i + 1, kPresets[i], i == reverbPreset);
    const Rect below = reverb->GetAbsRect();
    const int chosen = menu.Track(window, below.left, below.bottom);
    if (chosen == TWPopupMenu::kDismissed)
        return;
    reverbPreset = chosen - 1;
    status->SetText(std::string("Reverb: ") + kPresets[reverbPreset]);
    Journal("menu %d", chosen);
}

void DemoScene::Notify(int eventId, void*, Observable* source)
{
    const auto* control = dynamic_cast<TWGuiControl*>(source);
    if (!control)
        return;
    Journal("notify %d %d", eventId, control->GetId());
    switch (control->GetId())
    {
    case kHello:
        status->SetText("Hello!");
        break;
    case kReverb:
        ShowReverbMenu();
        break;
    case kAbout:
    {
        char caption[64];
        resources::StringTableLookup("Demo About", caption, sizeof caption);
        CDeluxeMessageBox box("Demo About Text", caption,
                              CDeluxeMessageBox::kOk | CDeluxeMessageBox::kIconAsterisk, true);
        box.Show();
        break;
    }
    case kQuit:
        quit = true;
        if (window.GetNativeWindow())
            window.GetNativeWindow()->Quit();
        break;
    case kVolume:
        status->SetText("Volume " + std::to_string(volume->GetValue()));
        break;
    default:
        break;
    }
}

} // namespace guidemo
