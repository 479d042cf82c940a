#pragma once
// A horizontal slider from skin images ("<name>-base", "<name>-slider", "<name>-slider-hi"): the knob
// is dragged or paged by clicks beside it, and every change the user makes is sent with a SliderEvent.
// A slider whose pictures leave no track to move along is inert. Used on the user-interface thread.
#include <cstdint>

#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiControl.h"
#include "platform/Rect.h"

namespace editor
{

class GuiSlider : public gui::TWGuiControl
{
public:
    static constexpr int kMargin = 10;
    static constexpr double kPage = 4.0;
    static constexpr unsigned kDragTooltipDelayMs = 1;
    static constexpr unsigned kTooltipDelayMs = 500;

    GuiSlider(int32_t controlId, const char* skinItem, gui::ImageManager* imageCache, gui::CSkin* sharedSkin,
              int eventId);

    // Shows a value without telling anyone; values outside [0, maximum] are ignored.
    void setValue(double newValue);
    double getValue() const { return value; }
    void setMaximum(double newMaximum);
    double getMaximum() const { return maximum; }
    // Pixels per unit of value; 0 when the pictures leave no track (the slider is then inert).
    int step() const;
    platform::Rect knobRect() const;

    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;
    bool GetToolTipText(int posX, int posY, char* out, size_t size) override;

private:
    int knobLeft() const;
    void page(int posX, int posY);
    void notifyValue();
    void setHover(bool on);
    void setTooltipDelay(unsigned ms);
    bool holdsCapture() const;

    int eventId;
    double value = 1.0;
    bool hover = false;
    int baseOffset = 0;
    int pressX = 0;
    int pressY = 0;
    double pressValue = 0.0;
    SkinImageHold base;
    SkinImageHold knob;
    SkinImageHold knobHover;
    double maximum = 1.0;
};

} // namespace editor
