#include "editor/ToneControlsDialog.h"

#include <new>

#include "editor/EditorEvents.h"
#include "gui/TWGuiWindow.h"
#include "gui/TWPopupMenu.h"
#include "resources/StringTable.h"

namespace editor
{

using gui::TWGuiWindow;
using gui::TWPopupMenu;
using platform::Rect;

namespace
{
constexpr const char* kCurveNames[ToneControlsDialog::kCurveCount] = {"Very Light", "Light", "Normal",
                                                                      "Heavy", "Very Heavy"};
constexpr int kVelocityParameter = 5;
constexpr float kCurveStep = 0.2f;
constexpr size_t kMenuText = 128;
constexpr double kEqMaximum = 2.0;
} // namespace

const char* ToneControlsDialog::curveName(int index)
{
    return index >= 0 && index < kCurveCount ? kCurveNames[index] : "";
}

ToneControlsDialog::ToneControlsDialog(instrument::VstXSynth* instrumentPtr, gui::Observer* observer,
                                       const char* skinItem, gui::ImageManager* imageCache,
                                       gui::CSkin* sharedSkin, int widthPx, int heightPx)
    : TWImageContainer(skinItem, imageCache, sharedSkin, widthPx, heightPx, false), synth(instrumentPtr)
{
    const instrument::PianoSettings settings =
        synth ? synth->requestedSettings() : instrument::PianoSettings();
    font = images::Font::Create("Verdana", 12);

    closeButton.reset(new (std::nothrow) GuiButton(kIdDialogClose, "Dialog Close", "", "Dialog Close Tooltip",
                                                   imageCache, sharedSkin, kEventButton, 0));
    if (closeButton)
    {
        closeButton->AddObserver(observer);
        closeButton->SetTransparent(true);
        AddChild(closeButton.get(), 365, 10);
    }

    velocityDropdown.reset(new (std::nothrow)
                               GuiButton(kIdVelocityDropdown, "Dialog Dropdown", "", "Velocity Curve Tooltip",
                                         imageCache, sharedSkin, kEventButton, 0));
    if (velocityDropdown)
    {
        velocityDropdown->AddObserver(observer);
        velocityDropdown->SetTransparent(true);
        velocityDropdown->setCaptionFormat(kDropdownCaptionFormat);
        velocityDropdown->setFont(font.get());
        velocityDropdown->setCaptionColour(kDropdownCaptionColour, GuiButton::kAllStates);
        const Rect own = velocityDropdown->GetLocalRect();
        velocityDropdown->setCaptionRect({own.left + 25, own.top, own.right, own.bottom - 4},
                                         GuiButton::kAllStates);
        velocityDropdown->setCaptionText(curveName(settings.velocityCurve));
        shownVelocityCurve = settings.velocityCurve;
        velocityDropdown->setDrawCaption(true);
        AddChild(velocityDropdown.get(), 233, 48);
    }

    sympResSlider = makeSlider(kIdSympRes, "Slider", 1.0, settings.sympatheticResonance, observer, imageCache,
                               sharedSkin, 230, 110);
    chorusSlider =
        makeSlider(kIdChorus, "Slider", 1.0, settings.chorus, observer, imageCache, sharedSkin, 230, 180);
    bassSlider = makeSlider(kIdBass, "SliderSmall", kEqMaximum, settings.bassGain, observer, imageCache,
                            sharedSkin, 32, 305);
    midSlider = makeSlider(kIdMiddle, "SliderSmall", kEqMaximum, settings.midGain, observer, imageCache,
                           sharedSkin, 148, 305);
    trebleSlider = makeSlider(kIdTreble, "SliderSmall", kEqMaximum, settings.highGain, observer, imageCache,
                              sharedSkin, 260, 305);
}

ToneControlsDialog::~ToneControlsDialog()
{
    closeButton.reset();
    velocityDropdown.reset();
    sympResSlider.reset();
    chorusSlider.reset();
    bassSlider.reset();
    midSlider.reset();
    trebleSlider.reset();
    font.reset();
}

std::unique_ptr<GuiSlider> ToneControlsDialog::makeSlider(int32_t id, const char* item, double maximum,
                                                          float value, gui::Observer* observer,
                                                          gui::ImageManager* imageCache,
                                                          gui::CSkin* sharedSkin, int posX, int posY)
{
    std::unique_ptr<GuiSlider> slider(new (std::nothrow)
                                          GuiSlider(id, item, imageCache, sharedSkin, kEventSlider));
    if (!slider)
        return slider;
    slider->setMaximum(maximum);
    slider->setValue(value);
    slider->AddObserver(observer);
    AddChild(slider.get(), posX, posY);
    return slider;
}

GuiSlider* ToneControlsDialog::getSlider(int32_t controlId) const
{
    for (GuiSlider* slider :
         {sympResSlider.get(), chorusSlider.get(), bassSlider.get(), midSlider.get(), trebleSlider.get()})
        if (slider && slider->GetId() == controlId)
            return slider;
    return nullptr;
}

void ToneControlsDialog::showCurve(int index)
{
    if (!velocityDropdown)
        return;
    velocityDropdown->setCaptionText(curveName(index));
    velocityDropdown->Redraw();
    shownVelocityCurve = index;
}

void ToneControlsDialog::openVelocityMenu()
{
    TWGuiWindow* window = GetWindow();
    if (!window || !velocityDropdown || !synth)
        return;
    const int current = synth->requestedSettings().velocityCurve;
    TWPopupMenu menu;
    for (int i = 0; i < kCurveCount; ++i)
    {
        char text[kMenuText];
        resources::StringTableLookup(kCurveNames[i], text, sizeof text);
        menu.AddItem(i + 1, text, i == current);
    }
    const int chosen = menu.Track(*window, velocityDropdown->GetAbsX() + 19,
                                  velocityDropdown->GetAbsY() + velocityDropdown->GetHeight() - 12);
    if (chosen <= 0)
        return;
    const int index = chosen - 1;
    synth->setParameterAutomated(kVelocityParameter, static_cast<float>(index) * kCurveStep);
    showCurve(index);
}

void ToneControlsDialog::refresh(const instrument::PianoSettings& settings)
{
    if (settings.velocityCurve != shownVelocityCurve)
        showCurve(settings.velocityCurve);
    const std::pair<GuiSlider*, float> sliders[] = {{sympResSlider.get(), settings.sympatheticResonance},
                                                    {chorusSlider.get(), settings.chorus},
                                                    {bassSlider.get(), settings.bassGain},
                                                    {midSlider.get(), settings.midGain},
                                                    {trebleSlider.get(), settings.highGain}};
    for (const auto& [slider, value] : sliders)
        if (slider && slider->getValue() != static_cast<double>(value))
            slider->setValue(value);
}

bool ToneControlsDialog::OnMouse(int event, int posX, int posY, unsigned keyState)
{
    TWImageContainer::OnMouse(event, posX, posY, keyState);
    return true;
}

} // namespace editor
