#pragma once
// Draws the editor's upper picture (800 × 492): a black-lacquer grand seen from the player's seat in
// a warmly lit room, its lid at one of four positions (closed, open a little, open more, fully
// open; the strings and iron frame show and brighten as the lid rises), the keyboard with all keys
// up, and the pedals in any of their four states.
#include <cairo.h>

#include "mkskin/FontBook.h"
#include "mkskin/KeyboardGeometry.h"

namespace mkskin
{
class PianoPainter
{
public:
    PianoPainter(const FontBook& fontBook, const KeyboardGeometry& keyboard)
        : fonts(fontBook), geometry(keyboard)
    {
    }

    // The pedals' rectangle (kPedalsX, kPedalsY, ...) does not depend on the lid, so the pedal
    // pictures can be cut from any lid position's picture.
    void paint(cairo_t* cr, int lidPosition, bool softDown, bool sustainDown) const;

private:
    void paintRoom(cairo_t* cr) const;
    void paintInterior(cairo_t* cr, double light) const;
    void paintLid(cairo_t* cr, int lidPosition) const;
    void paintFront(cairo_t* cr) const;
    void paintStand(cairo_t* cr) const;
    void paintPedalArea(cairo_t* cr, bool softDown, bool sustainDown) const;
    void paintPedal(cairo_t* cr, double cx, bool down) const;

    const FontBook& fonts;
    const KeyboardGeometry& geometry;
};
} // namespace mkskin
