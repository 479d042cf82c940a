#pragma once
// The tone-controls panel that floats over the piano picture: close button, velocity-curve drop-down,
// sympathetic-resonance and chorus sliders and the three equaliser sliders (0..2). It is a child of
// the picture, not a native window, and swallows every click on it so nothing beneath plays.
// Its controls report to the editor. Used on the user-interface thread.
#include <memory>

#include "editor/GuiButton.h"
#include "editor/GuiSlider.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/Observer.h"
#include "gui/TWImageContainer.h"
#include "images/Font.h"
#include "instrument/VstXSynth.h"

namespace editor
{

class ToneControlsDialog : public gui::TWImageContainer
{
public:
    static constexpr int kCurveCount = 5;

    ToneControlsDialog(instrument::VstXSynth* synth, gui::Observer* observer, const char* skinItem,
                       gui::ImageManager* imageCache, gui::CSkin* sharedSkin, int widthPx, int heightPx);
    ~ToneControlsDialog() override;

    // The string-table key of a velocity curve's name ("Very Light" … "Very Heavy"), "" outside 0..4.
    static const char* curveName(int index);

    // Shows the velocity-curve menu below the drop-down and applies the choice.
    void openVelocityMenu();
    // Brings the drop-down and sliders up to date with the instrument.
    void refresh(const instrument::PianoSettings& settings);

    GuiButton* getCloseButton() const { return closeButton.get(); }
    GuiButton* getVelocityDropdown() const { return velocityDropdown.get(); }
    GuiSlider* getSlider(int32_t controlId) const;
    int getShownVelocityCurve() const { return shownVelocityCurve; }

    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;

private:
    std::unique_ptr<GuiSlider> makeSlider(int32_t id, const char* item, double maximum, float value,
                                          gui::Observer* observer, gui::ImageManager* imageCache,
                                          gui::CSkin* sharedSkin, int posX, int posY);
    void showCurve(int index);

    instrument::VstXSynth* synth;
    std::unique_ptr<GuiButton> closeButton;
    std::unique_ptr<GuiSlider> sympResSlider;
    std::unique_ptr<GuiSlider> chorusSlider;
    std::unique_ptr<GuiSlider> bassSlider;
    std::unique_ptr<GuiSlider> midSlider;
    std::unique_ptr<GuiSlider> trebleSlider;
    std::unique_ptr<GuiButton> velocityDropdown;
    std::unique_ptr<images::Font> font;
    int shownVelocityCurve = 0;
};

} // namespace editor
