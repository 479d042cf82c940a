#pragma once
// The instrument's editor: an 800 × 576 window inside the host's window with the piano picture, its
// playable keyboard, pedals, lid and help buttons, and a control panel with three sliders, the
// tone-controls button and the reverb-preset drop-down. User actions become automated parameter
// changes and MIDI messages for the instrument; the 40 ms refresh brings the controls up to date
// with the instrument. The window's events, timers and refresh are drained from the host's idle
// calls and nothing else. Every entry point takes the editor's lock, so a host that makes its editor
// calls on another thread than the one that created the instrument (or closes the instrument with
// the editor open) never runs two of them at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "editor/GuiButton.h"
#include "editor/GuiKeys.h"
#include "editor/GuiPedals.h"
#include "editor/GuiSlider.h"
#include "editor/GuiTexturePanel.h"
#include "editor/ToneControlsDialog.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/Observable.h"
#include "gui/Observer.h"
#include "gui/TWGuiWindow.h"
#include "gui/TWGuiWindowCallback.h"
#include "gui/TWImageContainer.h"
#include "host/AEffEditor.h"
#include "images/Font.h"
#include "instrument/VstXSynth.h"
#include "platform/native/NativeWindow.h"

namespace editor
{

class PianoEditor : public host::AEffEditor, public gui::Observer, public gui::TWGuiWindowCallback
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 576;
    static constexpr int kPictureHeight = 492;
    static constexpr int kPanelHeight = 84;
    static constexpr int kHelpContext = 10;

    using NativeFactory = std::function<std::unique_ptr<platform::NativeWindow>()>;

    // Without a factory the editor uses the system's windows.
    explicit PianoEditor(instrument::VstXSynth* synth, NativeFactory factory = {});
    ~PianoEditor() override;
    // The instrument's editor factory: an editor on the system's windows, null when out of memory.
    static host::AEffEditor* create(instrument::VstXSynth* synth);

    bool getRect(host::ERect** rect) override;
    // ptr is the host's window (an X11 window id, or an HWND on Windows); 0 makes a window of its own.
    bool open(void* ptr) override;
    void close() override;
    // Drains the window's events and due timers, which runs the refresh.
    void idle() override;

    // The skin file; by default the module's name with the extension "SKIN".
    void setSkinFile(const std::string& path) { skinFile = path; }
    const std::string& getSkinFile() const { return skinFile; }

    void Notify(int eventId, void* data, gui::Observable* source) override;
    void Attach(gui::Observable* observable) override;
    void OnRefreshTick() override;

    // What is on screen, for the host's tests and the screenshots.
    gui::TWGuiWindow* getWindow() const { return window.get(); }
    GuiKeys* getKeys() const { return keys.get(); }
    GuiPedals* getPedals() const { return pedals.get(); }
    GuiSlider* getSlider(int32_t controlId) const;
    GuiButton* getButton(int32_t controlId) const;
    ToneControlsDialog* getToneDialog() const { return toneDialog.get(); }
    gui::TWImageContainer* getPiano() const { return piano.get(); }
    int getShownLid() const { return shownLid; }
    int getShownReverbType() const { return shownReverbType; }

    // The reverb-preset menu below the drop-down; applies the choice.
    void openReverbMenu();
    // Opens the manual at the section of a help context.
    void openHelp(int context);

private:
    void build();
    void createButtons();
    void createPanel();
    std::unique_ptr<GuiButton> makeButton(int32_t id, const char* item, const char* tooltip);
    void setupDropdown(GuiButton& dropdown);
    void updatePicture();
    void setLidButtons(int lid);
    void moveLid(int step);
    void toggleToneDialog();
    void hideToneDialog();
    void showReverbType(int index);
    void destroyControls();

    std::recursive_mutex lock;
    instrument::VstXSynth* instrument;
    NativeFactory nativeFactory;
    std::string skinFile;
    std::unique_ptr<gui::TWGuiWindow> window;
    host::ERect rect{};
    std::unique_ptr<gui::CSkin> skin;
    std::unique_ptr<gui::ImageManager> images;
    std::unique_ptr<gui::TWImageContainer> piano;
    std::unique_ptr<GuiTexturePanel> panel;
    std::unique_ptr<GuiSlider> hammerSlider;
    std::unique_ptr<GuiSlider> reverbSlider;
    std::unique_ptr<GuiButton> reverbDropdown;
    std::unique_ptr<GuiSlider> volumeSlider;
    std::unique_ptr<GuiButton> lidUp;
    std::unique_ptr<GuiButton> lidDown;
    std::unique_ptr<GuiButton> help;
    std::unique_ptr<GuiButton> adjust;
    std::unique_ptr<GuiKeys> keys;
    std::unique_ptr<GuiPedals> pedals;
    std::unique_ptr<ToneControlsDialog> toneDialog;
    std::unique_ptr<images::Font> font;
    int shownLid = 0;
    int shownReverbType = 0;
};

} // namespace editor
