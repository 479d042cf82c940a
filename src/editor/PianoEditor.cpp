#include "editor/PianoEditor.h"

#include <cstdio>
#include <new>

#include "dsp/zreverb/ReverbPresets.h"
#include "editor/EditorEvents.h"
#include "gui/TWGuiWindow.h"
#include "gui/TWPopupMenu.h"
#include "piano/BankLayout.h"
#include "resources/FileNames.h"
#include "resources/Log.h"
#include "resources/StringTable.h"

namespace editor
{

using gui::TWGuiWindow;
using gui::TWImageContainer;
using gui::TWPopupMenu;
using platform::Rect;
using resources::LogFormatted;
using resources::LogLine;

namespace
{
constexpr int kLidClosed = 0;
constexpr int kLidOpen = 3;
constexpr float kLidStep = 0.25f;
constexpr int kReverbPresetCount = 7;
// One seventh as a 32-bit float: the reverb type's step.
constexpr float kReverbStep = 0.14285715f;
constexpr size_t kMenuText = 128;
constexpr int kPanelTextureWidth = 5;
constexpr int32_t kDialogZOrder = 100;
constexpr int kDialogWidth = 400;
constexpr int kDialogHeight = 400;

// Parameter indices.
constexpr int kParamLid = 0;
constexpr int kParamHammer = 1;
constexpr int kParamReverbAmount = 2;
constexpr int kParamReverbType = 3;
constexpr int kParamVolume = 4;
constexpr int kParamSympRes = 6;
constexpr int kParamChorus = 7;
constexpr int kParamBass = 8;
constexpr int kParamMiddle = 9;
constexpr int kParamTreble = 10;

constexpr int kOnScreenVelocity = 100;

std::string pictureItem(int lid)
{
    char name[32];
    std::snprintf(name, sizeof name, "Piano-%i", lid);
    return name;
}

const char* reverbName(int index)
{
    const char* name = zreverb::ReverbPresetName(index);
    return name ? name : "";
}
} // namespace

PianoEditor::PianoEditor(instrument::VstXSynth* synth, NativeFactory factory)
    : AEffEditor(synth), instrument(synth), nativeFactory(std::move(factory)),
      skinFile(resources::ModuleFileWithExtension("SKIN"))
{
    if (!nativeFactory)
        nativeFactory = [] { return platform::NativeWindow::CreateDefault(); };
}

host::AEffEditor* PianoEditor::create(instrument::VstXSynth* synth)
{
    return new (std::nothrow) PianoEditor(synth);
}

PianoEditor::~PianoEditor()
{
    close();
}

bool PianoEditor::getRect(host::ERect** out)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    rect = {0, 0, kHeight, kWidth};
    if (out)
        *out = &rect;
    return true;
}

bool PianoEditor::open(void* ptr)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (window)
        close();
    LogLine("Opening editor..");
    systemWindow = ptr;
    const instrument::PianoSettings settings =
        instrument ? instrument->requestedSettings() : instrument::PianoSettings();
    const std::string item = pictureItem(settings.lidPosition);

    window.reset(new (std::nothrow) TWGuiWindow(nativeFactory()));
    if (window)
    {
        LogLine("Initializing GUI window");
        platform::NativeParent parent;
        parent.windowId = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ptr));
        if (!window->Initialize(parent, kWidth, kHeight))
            window.reset();
    }
    if (window)
    {
        LogFormatted("Skin File: %s", skinFile.c_str());
        skin.reset(new (std::nothrow) gui::CSkin());
        if (skin)
            skin->Load(skinFile.c_str());
        shownLid = settings.lidPosition;

        LogLine("Creating brush manager.");
        LogLine("Creating image manager.");
        images.reset(new (std::nothrow) gui::ImageManager());
        LogLine("Creating image container.");
        piano.reset(new (std::nothrow) TWImageContainer(item.c_str(), images.get(), skin.get(), kWidth,
                                                        kPictureHeight, false));
        if (piano)
            window->AddChild(piano.get(), 0, 0);

        LogLine("Creating font.");
        font = images::Font::Create("Verdana", 12);

        LogLine("Creating buttons.");
        createButtons();
        if (settings.lidPosition == kLidClosed && lidDown)
            lidDown->Disable();
        if (settings.lidPosition == kLidOpen && lidUp)
            lidUp->Disable();

        LogLine("Creating keys.");
        keys.reset(new (std::nothrow) GuiKeys(kIdKeys, "Keys", images.get(), skin.get()));
        if (keys && piano)
            piano->AddChild(keys.get(), 76, 256);
        if (keys)
            keys->AddObserver(this);

        LogLine("Creating pedals.");
        pedals.reset(new (std::nothrow) GuiPedals(kIdPedals, "Pedals", images.get(), skin.get()));
        if (pedals)
        {
            pedals->setSoft(instrument && instrument->isSoftDown());
            pedals->setSustain(instrument && instrument->isSustainDown());
            if (piano)
                piano->AddChild(pedals.get(), 354, 433);
            pedals->AddObserver(this);
        }

        createPanel();
        if (piano)
            piano->Redraw();
    }
    LogLine("Setting callback.");
    if (window)
        window->SetCallback(this);
    return true;
}

std::unique_ptr<GuiButton> PianoEditor::makeButton(int32_t id, const char* item, const char* tooltip)
{
    std::unique_ptr<GuiButton> button(
        new (std::nothrow) GuiButton(id, item, "", tooltip, images.get(), skin.get(), kEventButton, 0));
    if (button)
    {
        button->AddObserver(this);
        button->SetTransparent(true);
    }
    return button;
}

void PianoEditor::createButtons()
{
    lidUp = makeButton(kIdLidUp, "Lid Up Button", "Lid Up Tooltip");
    lidDown = makeButton(kIdLidDown, "Lid Down Button", "Lid Down Tooltip");
    help = makeButton(kIdHelp, "Help Button", "Help Tooltip");
    if (!piano)
        return;
    if (lidUp)
        piano->AddChild(lidUp.get(), 730, 23);
    if (lidDown)
        piano->AddChild(lidDown.get(), 760, 23);
    if (help)
        piano->AddChild(help.get(), 753, 63);
}

void PianoEditor::setupDropdown(GuiButton& dropdown)
{
    dropdown.setCaptionFormat(kDropdownCaptionFormat);
    dropdown.setFont(font.get());
    dropdown.setCaptionColour(kDropdownCaptionColour, GuiButton::kAllStates);
    const Rect own = dropdown.GetLocalRect();
    dropdown.setCaptionRect({own.left + 25, own.top, own.right, own.bottom - 4}, GuiButton::kAllStates);
    dropdown.setDrawCaption(true);
}

void PianoEditor::createPanel()
{
    const instrument::PianoSettings settings =
        instrument ? instrument->requestedSettings() : instrument::PianoSettings();
    LogLine("Creating control panel.");
    panel.reset(new (std::nothrow) GuiTexturePanel("Control Panel", 0, 0, kWidth, kPanelHeight, images.get(),
                                                   skin.get(), kPanelTextureWidth));
    if (panel)
        window->AddChild(panel.get(), 0, kPictureHeight);

    LogLine("Creating sliders.");
    auto makeSlider = [&](int32_t id, const char* item, float value)
    {
        std::unique_ptr<GuiSlider> slider(new (std::nothrow)
                                              GuiSlider(id, item, images.get(), skin.get(), kEventSlider));
        if (slider)
        {
            slider->setValue(value);
            slider->AddObserver(this);
        }
        return slider;
    };
    hammerSlider = makeSlider(kIdHammer, "Slider", settings.hammerAmount);
    reverbSlider = makeSlider(kIdReverbAmount, "SliderShort", settings.reverbAmount);
    volumeSlider = makeSlider(kIdVolume, "Slider", settings.volume);

    LogLine("Creating control panel buttons.");
    adjust = makeButton(kIdAdjust, "Adjust Button", "Adjust Button Tooltip");
    reverbDropdown = makeButton(kIdReverbDropdown, "Dropdown", "Reverb Preset Tooltip");
    if (reverbDropdown)
    {
        setupDropdown(*reverbDropdown);
        reverbDropdown->setCaptionText(reverbName(settings.reverbType));
    }
    shownReverbType = settings.reverbType;

    if (!panel)
        return;
    if (hammerSlider)
        panel->AddChild(hammerSlider.get(), 43, 25);
    if (adjust)
        panel->AddChild(adjust.get(), 215, 24);
    if (reverbSlider)
        panel->AddChild(reverbSlider.get(), 381, 25);
    if (reverbDropdown)
        panel->AddChild(reverbDropdown.get(), 481, 25);
    if (volumeSlider)
        panel->AddChild(volumeSlider.get(), 625, 25);
}

void PianoEditor::close()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    // A key still held by the mouse gets its note-off before the keyboard goes.
    if (keys)
        keys->releaseMouseKey();
    if (window)
        window->SetCallback(nullptr);
    destroyControls();
    AEffEditor::close();
}

void PianoEditor::destroyControls()
{
    hammerSlider.reset();
    reverbSlider.reset();
    volumeSlider.reset();
    lidUp.reset();
    lidDown.reset();
    help.reset();
    adjust.reset();
    reverbDropdown.reset();
    keys.reset();
    pedals.reset();
    toneDialog.reset();
    piano.reset();
    panel.reset();
    skin.reset();
    images.reset();
    window.reset();
    font.reset();
}

void PianoEditor::idle()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (window)
        window->Idle();
}

GuiSlider* PianoEditor::getSlider(int32_t controlId) const
{
    for (GuiSlider* slider : {hammerSlider.get(), reverbSlider.get(), volumeSlider.get()})
        if (slider && slider->GetId() == controlId)
            return slider;
    return toneDialog ? toneDialog->getSlider(controlId) : nullptr;
}

GuiButton* PianoEditor::getButton(int32_t controlId) const
{
    for (GuiButton* button : {lidUp.get(), lidDown.get(), help.get(), adjust.get(), reverbDropdown.get()})
        if (button && button->GetId() == controlId)
            return button;
    if (toneDialog && controlId == kIdDialogClose)
        return toneDialog->getCloseButton();
    if (toneDialog && controlId == kIdVelocityDropdown)
        return toneDialog->getVelocityDropdown();
    return nullptr;
}

void PianoEditor::Attach(gui::Observable* observable)
{
    static const int kEvents[] = {
        kEventButton, kEventSlider, kEventSustain, kEventSoft, kEventKeyUp, kEventKeyDown, -1};
    if (observable)
        observable->RegisterEvents(this, kEvents);
}

void PianoEditor::Notify(int eventId, void* data, gui::Observable*)
{
    if (!instrument || !data)
        return;
    switch (eventId)
    {
    case kEventButton:
        switch (*static_cast<int32_t*>(data))
        {
        case kIdLidUp:
            moveLid(1);
            break;
        case kIdLidDown:
            moveLid(-1);
            break;
        case kIdAdjust:
            toggleToneDialog();
            break;
        case kIdDialogClose:
            hideToneDialog();
            break;
        case kIdVelocityDropdown:
            if (toneDialog && toneDialog->IsVisible())
                toneDialog->openVelocityMenu();
            break;
        case kIdHelp:
            openHelp(kHelpContext);
            break;
        case kIdReverbDropdown:
            openReverbMenu();
            break;
        default:
            break;
        }
        break;
    case kEventSlider:
    {
        const SliderEvent& event = *static_cast<SliderEvent*>(data);
        const float value = static_cast<float>(event.value);
        switch (event.controlId)
        {
        case kIdHammer:
            instrument->setParameterAutomated(kParamHammer, value);
            break;
        case kIdChorus:
            instrument->setParameterAutomated(kParamChorus, value);
            break;
        case kIdReverbAmount:
            instrument->setParameterAutomated(kParamReverbAmount, value);
            break;
        case kIdVolume:
            instrument->setParameterAutomated(kParamVolume, value);
            break;
        case kIdSympRes:
            instrument->setParameterAutomated(kParamSympRes, value);
            break;
        case kIdBass:
            instrument->setParameterAutomated(kParamBass, static_cast<float>(event.value * 0.5));
            break;
        case kIdMiddle:
            instrument->setParameterAutomated(kParamMiddle, static_cast<float>(event.value * 0.5));
            break;
        case kIdTreble:
            instrument->setParameterAutomated(kParamTreble, static_cast<float>(event.value * 0.5));
            break;
        default:
            break;
        }
        break;
    }
    case kEventSustain:
        instrument->sustainPedal(*static_cast<int*>(data) != 0);
        break;
    case kEventSoft:
        instrument->softPedal(*static_cast<int*>(data) != 0);
        break;
    case kEventKeyDown:
        instrument->keyPressed(*static_cast<int*>(data) + piano::kLowestKey, kOnScreenVelocity);
        break;
    case kEventKeyUp:
        instrument->keyReleased(*static_cast<int*>(data) + piano::kLowestKey, kOnScreenVelocity);
        break;
    default:
        break;
    }
}

void PianoEditor::moveLid(int step)
{
    const int lid = instrument->requestedSettings().lidPosition;
    if ((step > 0 && lid >= kLidOpen) || (step < 0 && lid <= kLidClosed))
        return;
    instrument->setParameterAutomated(kParamLid, static_cast<float>(lid + step) * kLidStep);
    updatePicture();
}

void PianoEditor::setLidButtons(int lid)
{
    if (lidUp)
    {
        if (lid >= kLidOpen)
            lidUp->Disable();
        else
            lidUp->Enable();
    }
    if (lidDown)
    {
        if (lid <= kLidClosed)
            lidDown->Disable();
        else
            lidDown->Enable();
    }
}

void PianoEditor::updatePicture()
{
    shownLid = instrument->requestedSettings().lidPosition;
    if (piano)
        piano->SetImage(pictureItem(shownLid).c_str());
    if (keys)
        keys->markAllDirty();
    setLidButtons(shownLid);
}

void PianoEditor::toggleToneDialog()
{
    if (!piano)
        return;
    if (!toneDialog)
    {
        toneDialog.reset(new (std::nothrow) ToneControlsDialog(
            instrument, this, "Tone Controls", images.get(), skin.get(), kDialogWidth, kDialogHeight));
        if (!toneDialog)
            return;
        piano->AddChild(toneDialog.get(), 200, 50);
        piano->SetOverlayChild(toneDialog.get());
        toneDialog->SetZOrder(kDialogZOrder);
        return;
    }
    if (!toneDialog->IsVisible())
    {
        piano->SetOverlayChild(toneDialog.get());
        toneDialog->Show();
        return;
    }
    hideToneDialog();
}

void PianoEditor::hideToneDialog()
{
    if (!toneDialog || !toneDialog->IsVisible())
        return;
    if (piano)
        piano->SetOverlayChild(nullptr);
    toneDialog->Hide();
    if (keys)
        keys->markAllDirty();
}

void PianoEditor::showReverbType(int index)
{
    if (reverbDropdown)
    {
        reverbDropdown->setCaptionText(reverbName(index));
        reverbDropdown->Redraw();
    }
    shownReverbType = index;
}

void PianoEditor::openReverbMenu()
{
    if (!window || !reverbDropdown)
        return;
    const int current = instrument->requestedSettings().reverbType;
    TWPopupMenu menu;
    for (int i = 0; i < kReverbPresetCount; ++i)
    {
        char text[kMenuText];
        resources::StringTableLookup(reverbName(i), text, sizeof text);
        menu.AddItem(i + 1, text, i == current);
    }
    const int chosen = menu.Track(*window, reverbDropdown->GetAbsX() + 19,
                                  reverbDropdown->GetAbsY() + reverbDropdown->GetHeight() - 12);
    if (chosen <= 0)
        return;
    const int index = chosen - 1;
    instrument->setParameterAutomated(kParamReverbType, static_cast<float>(index) * kReverbStep);
    showReverbType(index);
}

void PianoEditor::openHelp(int context)
{
    if (instrument)
        instrument->openHelp(context);
}

void PianoEditor::OnRefreshTick()
{
    // The mouse lost its hold on a key to another window: that note must not sound on.
    if (keys && keys->isMouseDown() && window && window->GetCaptureObject() != keys.get())
        keys->releaseMouseKey();
    if (!instrument || !instrument->takeDisplayChanged())
        return;
    // Each field is read whole; a change made while this runs sets the flag again for the next tick.
    const instrument::PianoSettings settings = instrument->requestedSettings();
    if (pedals)
    {
        pedals->setSoft(instrument->isSoftDown());
        pedals->setSustain(instrument->isSustainDown());
    }
    if (keys)
    {
        bool changed = false;
        for (int i = 0; i < GuiKeys::kKeyCount; ++i)
        {
            const uint8_t down = instrument->isKeyDown(i + piano::kLowestKey) ? 1 : 0;
            GuiKeys::Key& key = keys->key(i);
            if (key.held != down)
            {
                key.held = down;
                key.dirty = 1;
                changed = true;
            }
        }
        if (changed)
            keys->Redraw();
    }
    if (settings.lidPosition != shownLid)
        updatePicture();
    const std::pair<GuiSlider*, float> sliders[] = {{hammerSlider.get(), settings.hammerAmount},
                                                    {volumeSlider.get(), settings.volume},
                                                    {reverbSlider.get(), settings.reverbAmount}};
    for (const auto& [slider, value] : sliders)
        if (slider && slider->getValue() != static_cast<double>(value))
            slider->setValue(value);
    if (settings.reverbType != shownReverbType)
        showReverbType(settings.reverbType);
    if (toneDialog)
        toneDialog->refresh(settings);
}

} // namespace editor
