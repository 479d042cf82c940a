#pragma once
// Draws the controls' pictures, each on a transparent background: slider tracks and knobs (plain
// and lit), and push buttons in their four states (normal, hover, pressed, disabled).
#include <cairo.h>

#include <string>

#include "mkskin/FontBook.h"
#include "mkskin/SkinLayout.h"

namespace mkskin
{
enum class ButtonKind
{
    LidUp,
    LidDown,
    Help,
    Adjust,
    Dropdown,
    Close,
};

class ControlPainter
{
public:
    explicit ControlPainter(const FontBook& fontBook) : fonts(fontBook) {}

    void paintSliderBase(cairo_t* cr, const SliderSize& size) const;
    void paintSliderKnob(cairo_t* cr, const SliderSize& size, bool lit) const;
    // state: 0 normal, 1 hover, 2 pressed, 3 disabled.
    void paintButton(cairo_t* cr, ButtonKind kind, int width, int height, int state) const;

private:
    void paintRoundButton(cairo_t* cr, ButtonKind kind, int size, int state) const;
    void paintAdjust(cairo_t* cr, int width, int height, int state) const;
    void paintDropdown(cairo_t* cr, int width, int height, int state) const;

    const FontBook& fonts;
};
} // namespace mkskin
