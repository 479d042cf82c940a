#include "mkskin/ControlPainter.h"

#include <cmath>

#include "mkskin/Paint.h"

namespace mkskin
{
namespace
{
// How each state changes a button's light: hover brightens, pressed darkens, disabled fades.
double stateLight(int state)
{
    switch (state)
    {
    case 1:
        return 1.08;
    case 2:
        return 0.75;
    default:
        return 1.0;
    }
}

double stateOpacity(int state)
{
    return state == 3 ? 0.4 : 1.0;
}

// Hovering lights a warm edge round the current path.
void hoverEdge(cairo_t* cr, int state)
{
    if (state != 1)
    {
        cairo_new_path(cr);
        return;
    }
    cairo_set_line_width(cr, 1.3);
    setColour(cr, 0xffe6a8, 0.75);
    cairo_stroke(cr);
}
} // namespace

void ControlPainter::paintSliderBase(cairo_t* cr, const SliderSize& size) const
{
    // A slot cut into the panel: dark inside, its lower lip catching the light.
    const double w = size.baseWidth;
    const double h = size.baseHeight;
    const double slotH = h - 4;
    roundedRect(cr, 1, 2, w - 2, slotH + 1.5, slotH / 2);
    setColour(cr, 0xfff0d0, 0.22);
    cairo_fill(cr);
    roundedRect(cr, 1, 1.5, w - 2, slotH, slotH / 2);
    setLinear(cr, 0, 1.5, 0, 1.5 + slotH, {{0.0, 0x050303}, {0.6, 0x1a1410}, {1.0, 0x2c231c}});
    cairo_fill(cr);
    // A brass thread down the middle of the slot.
    cairo_rectangle(cr, 8, 1.5 + slotH / 2 - 0.5, w - 16, 1);
    setColour(cr, 0xc9a45a, 0.55);
    cairo_fill(cr);
}

void ControlPainter::paintSliderKnob(cairo_t* cr, const SliderSize& size, bool lit) const
{
    const double w = size.knobWidth;
    const double h = size.knobHeight;
    const double light = lit ? 1.22 : 1.0;
    softShadow(cr, 2.5, 3, w - 4, h - 4, 3, 1.5, 0.35);
    // A lacquered cap with a brass face and a line that shows its position.
    roundedRect(cr, 1, 0.5, w - 2, h - 2.5, 3);
    setLinear(cr, 0, 0, 0, h,
              {{0.0, shade(0x3b3633, light)}, {0.5, shade(0x161312, light)}, {1.0, 0x070606}});
    cairo_fill(cr);
    roundedRect(cr, 3, 2.5, w - 6, h - 7, 2);
    brass(cr, 3, 2.5, w - 6, h - 7, light);
    cairo_fill(cr);
    // Grip ridges across the face.
    for (int i = 0; i < 5; ++i)
    {
        const double y = h / 2 - 6 + i * 3;
        cairo_rectangle(cr, 4, y, w - 8, 1);
        setColour(cr, 0x3b2a0c, 0.4);
        cairo_fill(cr);
        cairo_rectangle(cr, 4, y + 1, w - 8, 0.8);
        setColour(cr, 0xfff2c8, 0.35);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, w / 2 - 0.75, 3, 1.5, h - 8);
    setColour(cr, 0x1a1208, 0.75);
    cairo_fill(cr);
    if (lit)
    {
        roundedRect(cr, 1, 0.5, w - 2, h - 2.5, 3);
        cairo_set_line_width(cr, 1.0);
        setColour(cr, 0xffe3a0, 0.6);
        cairo_stroke(cr);
    }
}

void ControlPainter::paintRoundButton(cairo_t* cr, ButtonKind kind, int size, int state) const
{
    const double c = size / 2.0;
    const double r = c - 1.5;
    const double light = stateLight(state);
    const double shift = state == 2 ? 0.7 : 0.0;
    cairo_push_group(cr);
    // Shadow, brass ring, lacquered dome.
    cairo_arc(cr, c + 0.5, c + 1.2, r, 0, 2 * M_PI);
    setColour(cr, 0x000000, 0.45);
    cairo_fill(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    brass(cr, 0, c - r, size, 2 * r, light);
    cairo_fill(cr);
    cairo_arc(cr, c, c + shift, r - 2.2, 0, 2 * M_PI);
    setRadial(cr, c - 2, c - 3 + shift, 0.5, r,
              {{0.0, shade(0x4b4542, light)}, {0.55, shade(0x1a1716, light)}, {1.0, 0x050404}});
    cairo_fill(cr);
    // The glyph in ivory.
    setColour(cr, shade(0xf1e6cc, state == 1 ? 1.1 : light));
    const double g = size * 0.2;
    const double y = c + shift;
    switch (kind)
    {
    case ButtonKind::LidUp:
        cairo_move_to(cr, c - g, y + g * 0.55);
        cairo_line_to(cr, c, y - g * 0.6);
        cairo_line_to(cr, c + g, y + g * 0.55);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case ButtonKind::LidDown:
        cairo_move_to(cr, c - g, y - g * 0.55);
        cairo_line_to(cr, c, y + g * 0.6);
        cairo_line_to(cr, c + g, y - g * 0.55);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case ButtonKind::Close:
        cairo_set_line_width(cr, 1.8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, c - g * 0.8, y - g * 0.8);
        cairo_line_to(cr, c + g * 0.8, y + g * 0.8);
        cairo_move_to(cr, c + g * 0.8, y - g * 0.8);
        cairo_line_to(cr, c - g * 0.8, y + g * 0.8);
        cairo_stroke(cr);
        break;
    default:
    {
        TextStyle mark;
        mark.face = Face::SerifBold;
        mark.size = size * 0.6;
        mark.align = Align::Centre;
        mark.rgb = shade(0xf1e6cc, state == 1 ? 1.1 : light);
        fonts.draw(cr, "?", c, y + size * 0.2, mark);
        break;
    }
    }
    cairo_new_path(cr);
    cairo_arc(cr, c, c, r - 0.6, 0, 2 * M_PI);
    hoverEdge(cr, state);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, stateOpacity(state));
}

void ControlPainter::paintAdjust(cairo_t* cr, int width, int height, int state) const
{
    const double light = stateLight(state);
    const double shift = state == 2 ? 1.0 : 0.0;
    cairo_push_group(cr);
    softShadow(cr, 2, 3, width - 4, height - 4, 5, 1.5, 0.4);
    roundedRect(cr, 0.5, 0.5, width - 1, height - 2, 5);
    brass(cr, 0, 0, width, height - 2, light);
    cairo_fill(cr);
    roundedRect(cr, 2, 2 + shift * 0.5, width - 4, height - 5, 4);
    setLinear(cr, 0, 2, 0, height - 3,
              {{0.0, shade(0x3d3633, light)}, {0.45, shade(0x1b1715, light)}, {1.0, shade(0x0c0a09, light)}});
    cairo_fill(cr);
    // Three little faders and the word, in ivory.
    const double y = height / 2.0 - 1 + shift;
    for (int i = 0; i < 3; ++i)
    {
        const double x = 16 + i * 7;
        cairo_rectangle(cr, x, y - 7, 1.4, 14);
        setColour(cr, shade(0xb9a98a, light));
        cairo_fill(cr);
        roundedRect(cr, x - 2.3, y - 5 + (i == 1 ? 6 : i * 2), 6, 4, 1);
        setColour(cr, shade(0xe0bd6e, light));
        cairo_fill(cr);
    }
    TextStyle word;
    word.face = Face::SansBold;
    word.size = 12;
    word.tracking = 1.6;
    word.align = Align::Centre;
    word.rgb = shade(0xf1e6cc, state == 1 ? 1.1 : light);
    word.engrave = 0.6;
    fonts.draw(cr, "ADJUST", 82, y + 4.5, word);
    roundedRect(cr, 1, 1, width - 2, height - 3, 5);
    hoverEdge(cr, state);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, stateOpacity(state));
}

void ControlPainter::paintDropdown(cairo_t* cr, int width, int height, int state) const
{
    // A dark field for the light caption the editor writes from 25 pixels in; its bottom four
    // rows are the field's lower bevel and shadow, outside the caption's rectangle.
    const double light = stateLight(state);
    const double field = height - 4;
    cairo_push_group(cr);
    softShadow(cr, 1.5, 2.5, width - 3, field, 4, 1.5, 0.4);
    roundedRect(cr, 0.5, 0.5, width - 1, field + 1.5, 4);
    brass(cr, 0, 0, width, field + 2, light * 0.9);
    cairo_fill(cr);
    roundedRect(cr, 1.8, 1.8, width - 3.6, field - 1.2, 3);
    setLinear(cr, 0, 1.8, 0, field,
              {{0.0, state == 2 ? 0x050404u : 0x0d0b0au},
               {0.6, shade(0x1b1715, light)},
               {1.0, shade(0x2a2421, light)}});
    cairo_fill(cr);
    // The arrow cell at the left.
    roundedRect(cr, 1.8, 1.8, 21, field - 1.2, 3, 3);
    setLinear(cr, 0, 1.8, 0, field, {{0.0, shade(0x3a3330, light)}, {1.0, shade(0x151211, light)}});
    cairo_fill(cr);
    cairo_rectangle(cr, 22.8, 3, 1, field - 3.5);
    setColour(cr, 0xc9a45a, 0.5);
    cairo_fill(cr);
    const double cy = field / 2.0 + 1 + (state == 2 ? 0.7 : 0);
    cairo_move_to(cr, 7.5, cy - 2.5);
    cairo_line_to(cr, 17, cy - 2.5);
    cairo_line_to(cr, 12.25, cy + 3);
    cairo_close_path(cr);
    setColour(cr, shade(0xe0bd6e, state == 1 ? 1.15 : light));
    cairo_fill(cr);
    roundedRect(cr, 1, 1, width - 2, field + 0.5, 4);
    hoverEdge(cr, state);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, stateOpacity(state));
}

void ControlPainter::paintButton(cairo_t* cr, ButtonKind kind, int width, int height, int state) const
{
    switch (kind)
    {
    case ButtonKind::Adjust:
        paintAdjust(cr, width, height, state);
        break;
    case ButtonKind::Dropdown:
        paintDropdown(cr, width, height, state);
        break;
    default:
        paintRoundButton(cr, kind, width, state);
        break;
    }
}
} // namespace mkskin
