#include "guidemo/DemoScene.h"

#include <string>

#include "gui/CDeluxeMessageBox.h"
#include "gui/TWPopupMenu.h"
#include "guidemo/DemoFonts.h"
#include "resources/StringTable.h"

using namespace gui;
using namespace images;

namespace guidemo
{

namespace
{
const char* const kPresets[] = {"Small Room", "Studio", "Concert Hall", "Cathedral", "Plate"};
const int kEvents[] = {DemoButton::kClicked, DemoSlider::kChanged, -1};
} // namespace

DemoScene::DemoScene(TWGuiWindow& window, CSkin& skin, ImageManager& images, std::FILE* journal)
    : window_(window), journal_(journal)
{
    background_ = std::make_unique<TWImageContainer>("Background", &images, &skin, kWidth, kHeight, false);
    background_->SetAcceptsHover(false);
    window_.AddChild(background_.get(), 0, 0);
    panel_ = std::make_unique<TWImageContainer>("Panel", &images, &skin, kWidth - 20, 60, false);
    panel_->SetAcceptsHover(false);
    background_->AddChild(panel_.get(), 10, 170);

    title_ = std::make_unique<DemoLabel>(DemoFonts::Title(), 0xffffff, 370, 26);
    title_->SetText("Virellando GUI toolkit");
    background_->AddChild(title_.get(), 16, 14);
    status_ = std::make_unique<DemoLabel>(DemoFonts::Caption(), MakeColourRef(0xc8, 0xd8, 0xf0), 370, 20);
    status_->SetText("Click a button, drag the slider.");
    background_->AddChild(status_.get(), 16, 46);

    hello_ = std::make_unique<DemoButton>(kHello, &images, &skin, "Button", "Button Hot", "Demo Hello",
                                          "Demo Hello Tooltip");
    reverb_ = std::make_unique<DemoButton>(kReverb, &images, &skin, "Menu Button", "Menu Button Hot",
                                           "Demo Reverb", "Demo Reverb Tooltip");
    about_ = std::make_unique<DemoButton>(kAbout, &images, &skin, "Button", "Button Hot", "Demo About",
                                          "Demo About Tooltip");
    quit_button_ =
        std::make_unique<DemoButton>(kQuit, &images, &skin, "Button", "Button Hot", "Demo Quit", "Demo Quit");
    background_->AddChild(hello_.get(), 16, 96);
    background_->AddChild(reverb_.get(), 128, 96);
    background_->AddChild(about_.get(), 240, 96);
    panel_->AddChild(quit_button_.get(), 272, 16);
    volume_ = std::make_unique<DemoSlider>(kVolume, &images, &skin, 240, 24);
    panel_->AddChild(volume_.get(), 12, 18);

    for (TWGuiControl* control :
         {static_cast<TWGuiControl*>(hello_.get()), static_cast<TWGuiControl*>(reverb_.get()),
          static_cast<TWGuiControl*>(about_.get()), static_cast<TWGuiControl*>(quit_button_.get()),
          static_cast<TWGuiControl*>(volume_.get())})
        control->AddObserver(this);
    window_.SetCallback(this);
}

DemoScene::~DemoScene()
{
    window_.SetCallback(nullptr);
    // Controls first, then the containers they sit in.
    volume_.reset();
    quit_button_.reset();
    about_.reset();
    reverb_.reset();
    hello_.reset();
    status_.reset();
    title_.reset();
    panel_.reset();
    background_.reset();
}

void DemoScene::Attach(Observable* observable)
{
    observable->RegisterEvents(this, kEvents);
}

void DemoScene::Journal(const char* format, int a, int b)
{
    if (!journal_)
        return;
    std::fprintf(journal_, format, a, b);
    std::fputc('\n', journal_);
    std::fflush(journal_);
}

void DemoScene::OnRefreshTick()
{
    // By the second tick the first paint has reached the screen.
    if (++ticks_ == 2)
        Journal("ready");
}

Point DemoScene::CentreOf(int32_t id) const
{
    const TWGuiObject* objects[] = {nullptr,      hello_.get(),       reverb_.get(),
                                    about_.get(), quit_button_.get(), volume_.get()};
    if (id < 1 || id > 5 || !objects[id])
        return {};
    const Rect r = objects[id]->GetAbsRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void DemoScene::ShowReverbMenu()
{
    TWPopupMenu menu;
    for (int i = 0; i < 5; ++i)
        menu.AddItem(i + 1, kPresets[i], i == reverbPreset_);
    const Rect below = reverb_->GetAbsRect();
    const int chosen = menu.Track(window_, below.left, below.bottom);
    if (chosen == TWPopupMenu::kDismissed)
        return;
    reverbPreset_ = chosen - 1;
    status_->SetText(std::string("Reverb: ") + kPresets[reverbPreset_]);
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
        status_->SetText("Hello!");
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
        quit_ = true;
        if (window_.GetNativeWindow())
            window_.GetNativeWindow()->Quit();
        break;
    case kVolume:
        status_->SetText("Volume " + std::to_string(volume_->GetValue()));
        break;
    default:
        break;
    }
}

} // namespace guidemo
