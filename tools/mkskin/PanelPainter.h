#pragma once
// Draws the opaque panels: the control panel under the piano with the labels and scales of its
// controls, the tone controls dialog's background with its controls' labels, and the splash screen.
#include <cairo.h>

#include "mkskin/FontBook.h"
#include "mkskin/KeyboardGeometry.h"
#include "mkskin/SkinLayout.h"

namespace mkskin
{
class PanelPainter
{
public:
    PanelPainter(const FontBook& fontBook, const KeyboardGeometry& keyboard)
        : fonts(fontBook), geometry(keyboard)
    {
    }

    void paintControlPanel(cairo_t* cr) const;
    void paintToneControls(cairo_t* cr) const;
    void paintSplash(cairo_t* cr) const;

private:
    // A warm wooden surface with a brass edge along its top.
    void paintWood(cairo_t* cr, double width, double height) const;
    // Tick marks under a slider at (x, y) at tenths of its travel; maximum 2 marks unity longer.
    void paintScale(cairo_t* cr, double x, double y, const SliderSize& size, double maximum) const;
    void label(cairo_t* cr, const char* text, double x, double y, Align align, double sizePx = 9.5) const;

    const FontBook& fonts;
    const KeyboardGeometry& geometry;
};
} // namespace mkskin
