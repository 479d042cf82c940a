#pragma once
// Draws the whole keyboard (both halves, 648 × 70 pixels) as the player sees it: ivory keys with
// their rounded front faces, ebony keys standing above them with their shadows, the fallboard's
// shadow across the keys' far ends; pressed keys sunk and shaded.
#include <cairo.h>

#include "mkskin/KeyboardGeometry.h"

namespace mkskin
{
class KeyboardPainter
{
public:
    explicit KeyboardPainter(const KeyboardGeometry& keyboard) : geometry(keyboard) {}

    // pressed: 88 flags, A0 first (null: all keys up).
    void paint(cairo_t* cr, const bool* pressed) const;

private:
    void paintWhite(cairo_t* cr, const KeyShape& key, bool down) const;
    void paintBlackShadow(cairo_t* cr, const KeyShape& key, bool down) const;
    void paintBlack(cairo_t* cr, const KeyShape& key, bool down) const;

    const KeyboardGeometry& geometry;
};
} // namespace mkskin
