#include "mkskin/KeyboardPainter.h"

#include "mkskin/Paint.h"
#include "mkskin/SkinLayout.h"

namespace mkskin
{
namespace
{
constexpr uint32_t kGap = 0x171210;
constexpr uint32_t kIvory = 0xf6efdf;
constexpr uint32_t kIvoryBack = 0xd8ccb2;
constexpr uint32_t kEbony = 0x0d0b0b;
// How far a pressed key sinks, in rows of the picture.
constexpr double kWhiteSink = 3;
constexpr double kBlackSink = 2;
} // namespace

void KeyboardPainter::paintWhite(cairo_t* cr, const KeyShape& key, bool down) const
{
    const double x = key.left + 0.5;
    const double w = key.right - key.left - 1.0;
    const double top = KeyboardGeometry::kWhiteTop;
    const double bottom = kKeyboardHeight;
    const double sink = down ? kWhiteSink : 0;
    const double light = down ? 0.84 : 1.0;

    cairo_save(cr);
    cairo_rectangle(cr, key.left, 0, key.right - key.left, bottom);
    cairo_clip(cr);

    // Front face: the key's rounded front edge and its lip, darker towards the floor.
    roundedRect(cr, x, top - 2 + sink, w, bottom - top + 2 - sink + 2, 1.0, 2.5);
    setLinear(cr, 0, top + sink, 0, bottom,
              {{0.0, shade(0xfffaee, light)}, {0.25, shade(0xe6dcc6, light)}, {1.0, shade(0xa89a7e, light)}});
    cairo_fill(cr);

    // Top surface, lit from the player's side, shadowed where it runs under the fallboard.
    roundedRect(cr, x, sink - 4, w, top + 4, 1.0, 2.0);
    setLinear(cr, 0, sink, 0, top + sink,
              {{0.0, shade(kIvoryBack, light * 0.92)},
               {0.35, shade(kIvory, light * 0.97)},
               {0.9, shade(kIvory, light)},
               {1.0, shade(0xfffcf4, light)}});
    cairo_fill(cr);
    // A faint sheen down the middle of the key and darker edges give it a rounded feel.
    cairo_rectangle(cr, x, sink, w, top);
    setLinear(cr, x, 0, x + w, 0,
              {{0.0, 0x6b5a3c, 0.18},
               {0.12, 0xffffff, 0.0},
               {0.5, 0xffffff, 0.12},
               {0.88, 0xffffff, 0.0},
               {1.0, 0x6b5a3c, 0.22}});
    cairo_fill(cr);
    // The edge where the top turns into the front catches the light.
    cairo_rectangle(cr, x + 0.8, top - 1.2 + sink, w - 1.6, 1.2);
    setColour(cr, 0xffffff, down ? 0.35 : 0.7);
    cairo_fill(cr);

    if (down)
    {
        // The neighbours' sides now rise above the key: shadows along both edges and at the back.
        cairo_rectangle(cr, x, 0, 3.5, bottom);
        setLinear(cr, x, 0, x + 3.5, 0, {{0.0, 0x000000, 0.6}, {1.0, 0x000000, 0.0}});
        cairo_fill(cr);
        cairo_rectangle(cr, x + w - 3.5, 0, 3.5, bottom);
        setLinear(cr, x + w, 0, x + w - 3.5, 0, {{0.0, 0x000000, 0.6}, {1.0, 0x000000, 0.0}});
        cairo_fill(cr);
        cairo_rectangle(cr, x, 0, w, top + sink);
        setLinear(cr, 0, 0, 0, top, {{0.0, 0x000000, 0.45}, {0.5, 0x000000, 0.12}, {1.0, 0x000000, 0.04}});
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void KeyboardPainter::paintBlackShadow(cairo_t* cr, const KeyShape& key, bool down) const
{
    // A black key stands above the white ones; the stage light behind the player throws its shadow
    // forward and to both sides.
    const double reach = down ? 2.5 : 4.0;
    softShadow(cr, key.left + 0.5, -4, key.right - key.left - 1.0, KeyboardGeometry::kBlackEnd + 4 + reach,
               2.0, 3.0, down ? 0.22 : 0.32);
}

void KeyboardPainter::paintBlack(cairo_t* cr, const KeyShape& key, bool down) const
{
    const double x = key.left;
    const double w = key.right - key.left;
    const double sink = down ? kBlackSink : 0;
    const double top = KeyboardGeometry::kBlackTop;
    const double end = KeyboardGeometry::kBlackEnd;

    cairo_save(cr);
    cairo_rectangle(cr, x, 0, w, end);
    cairo_clip(cr);
    cairo_rectangle(cr, x, 0, w, end);
    setColour(cr, kGap);
    cairo_fill(cr);

    // Body: the sides of the key, with the top surface set in from them.
    roundedRect(cr, x, -4, w, end + 4, 1.0, 1.8);
    setColour(cr, kEbony);
    cairo_fill(cr);

    // The sloping front, lit from the player's side.
    const double frontTop = top + sink;
    roundedRect(cr, x + 0.6, frontTop - 1, w - 1.2, end - frontTop + 0.6, 0.5, 1.6);
    setLinear(cr, 0, frontTop, 0, end,
              {{0.0, down ? 0x3d3734u : 0x57504bu}, {0.6, down ? 0x221e1cu : 0x2e2927u}, {1.0, 0x141211}});
    cairo_fill(cr);

    // Top surface, narrower than the body, polished, with a soft reflection near the front.
    const double inset = w * 0.12;
    roundedRect(cr, x + inset, sink - 4, w - 2 * inset, frontTop - sink + 3, 1.0, 1.5);
    setLinear(cr, 0, sink, 0, frontTop,
              {{0.0, 0x0a0909},
               {0.55, down ? 0x161413u : 0x1d1a19u},
               {0.85, down ? 0x262220u : 0x353030u},
               {1.0, down ? 0x1a1716u : 0x242020u}});
    cairo_fill(cr);
    cairo_rectangle(cr, x + inset + 0.5, sink + top * 0.45, w - 2 * inset - 1, top * 0.4);
    setLinear(cr, x, 0, x + w, 0,
              {{0.2, 0xffffff, 0.0}, {0.42, 0xffffff, down ? 0.05 : 0.11}, {0.62, 0xffffff, 0.0}});
    cairo_fill(cr);
    // The left side catches a little light; the right stays dark.
    cairo_rectangle(cr, x + 0.5, 0, 1.0, frontTop);
    setColour(cr, 0x4a4440, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
}

void KeyboardPainter::paint(cairo_t* cr, const bool* pressed) const
{
    const double width = 2.0 * kHalfWidth;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, kKeyboardHeight);
    setColour(cr, kGap);
    cairo_fill(cr);
    for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        if (!geometry.key(i).black)
            paintWhite(cr, geometry.key(i), pressed && pressed[i]);
    for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        if (geometry.key(i).black)
            paintBlackShadow(cr, geometry.key(i), pressed && pressed[i]);
    // The fallboard's lip shades the far ends of all keys.
    cairo_rectangle(cr, 0, 0, width, 12);
    setLinear(cr, 0, 0, 0, 12, {{0.0, 0x000000, 0.55}, {0.4, 0x000000, 0.18}, {1.0, 0x000000, 0.0}});
    cairo_fill(cr);
    for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        if (geometry.key(i).black)
            paintBlack(cr, geometry.key(i), pressed && pressed[i]);
    cairo_restore(cr);
}
} // namespace mkskin
