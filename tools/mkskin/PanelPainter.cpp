#include "mkskin/PanelPainter.h"

#include <cmath>

#include "mkskin/KeyboardPainter.h"
#include "mkskin/Paint.h"

namespace mkskin
{
namespace
{
constexpr uint32_t kLabel = 0xeedfc0;
} // namespace

void PanelPainter::paintWood(cairo_t* cr, double width, double height) const
{
    cairo_rectangle(cr, 0, 0, width, height);
    setLinear(cr, 0, 0, 0, height, {{0.0, 0x6a3a22}, {0.08, 0x5a2f1b}, {0.6, 0x44220f}, {1.0, 0x2e160a}});
    cairo_fill(cr);
    // Long, soft grain bands along the panel.
    for (int i = 0; i < 9; ++i)
    {
        const double y = height * (0.08 + i * 0.11);
        cairo_move_to(cr, 0, y);
        cairo_curve_to(cr, width * 0.3, y + 3 * std::sin(i * 1.7), width * 0.7, y - 3 * std::cos(i * 2.3),
                       width, y + 2);
        cairo_set_line_width(cr, 2.0 + (i % 3));
        setColour(cr, i % 2 ? 0x1a0a03 : 0xb06a3a, 0.07);
        cairo_stroke(cr);
    }
    // A sheen from the light above.
    cairo_rectangle(cr, 0, 0, width, height);
    setRadial(cr, width / 2, -height, height, width * 0.7, {{0.0, 0xffd9a8, 0.14}, {1.0, 0xffd9a8, 0.0}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, width, 2);
    brass(cr, 0, 0, width, 2);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 2, width, 1);
    setColour(cr, 0x000000, 0.5);
    cairo_fill(cr);
}

void PanelPainter::label(cairo_t* cr, const char* text, double x, double y, Align align, double sizePx) const
{
    TextStyle style;
    style.face = Face::SansBold;
    style.size = sizePx;
    style.tracking = 1.4;
    style.align = align;
    style.rgb = kLabel;
    style.engrave = 0.7;
    fonts.draw(cr, text, x, y, style);
}

void PanelPainter::paintScale(cairo_t* cr, double x, double y, const SliderSize& size, double maximum) const
{
    // Where the knob's centre stands at even steps of its travel: tenths on long sliders, fewer on
    // short ones; an even count on the equaliser's so that unity falls on a mark.
    const double track = size.baseWidth - size.knobWidth - 20;
    const int steps = track >= 100 ? 10 : (maximum > 1 ? 4 : 5);
    for (int i = 0; i <= steps; ++i)
    {
        const double cx = std::round(x + 10 + size.knobWidth / 2.0 + track * i / steps) + 0.5;
        const bool major = i == 0 || i == steps || 2 * i == steps;
        cairo_move_to(cr, cx, y);
        cairo_line_to(cr, cx, y + (major ? 5 : 3));
        cairo_set_line_width(cr, 1.0);
        setColour(cr, kLabel, major ? 0.8 : 0.45);
        cairo_stroke(cr);
    }
}

void PanelPainter::paintControlPanel(cairo_t* cr) const
{
    paintWood(cr, kPanelWidth, kPanelHeight);
    const double labelY = 17;
    label(cr, "HAMMER", kHammerX + kSlider.baseWidth / 2.0, labelY, Align::Centre);
    label(cr, "TONE CONTROLS", kAdjustX + kAdjustWidth / 2.0, labelY, Align::Centre);
    label(cr, "REVERB", kReverbX + kSliderShort.baseWidth / 2.0, labelY, Align::Centre);
    label(cr, "ROOM", kDropdownX + kDropdownWidth / 2.0, labelY, Align::Centre);
    label(cr, "VOLUME", kVolumeX + kSlider.baseWidth / 2.0, labelY, Align::Centre);
    paintScale(cr, kHammerX, kHammerY + kSlider.knobHeight + 3, kSlider, 1);
    paintScale(cr, kReverbX, kReverbY + kSliderShort.knobHeight + 3, kSliderShort, 1);
    paintScale(cr, kVolumeX, kVolumeY + kSlider.knobHeight + 3, kSlider, 1);
    // Fine brass rules between the groups.
    for (double x : {207.0, 364.0, 617.0})
    {
        cairo_rectangle(cr, x, 12, 1, 60);
        setColour(cr, 0x000000, 0.45);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 1, 12, 1, 60);
        setColour(cr, 0xd9b062, 0.3);
        cairo_fill(cr);
    }
    // The product's name at the panel's foot.
    TextStyle name;
    name.face = Face::Display;
    name.size = 11;
    name.tracking = 3;
    name.align = Align::Centre;
    name.rgb = 0xd9b062;
    name.alpha = 0.75;
    name.engrave = 0.5;
    fonts.draw(cr, "VIRELLANDO", 400, 78, name);
}

void PanelPainter::paintToneControls(cairo_t* cr) const
{
    const double s = kDialogSize;
    paintWood(cr, s, s);
    // A lacquered frame round the dialog with a brass line inside it.
    cairo_rectangle(cr, 0, 0, s, s);
    cairo_rectangle(cr, 6, 6, s - 12, s - 12);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setLinear(cr, 0, 0, 0, s, {{0.0, 0x2a2627}, {0.05, 0x0d0c0c}, {1.0, 0x060505}});
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 6.5, 6.5, s - 13, s - 13);
    cairo_set_line_width(cr, 1.0);
    setColour(cr, 0xd9b062, 0.6);
    cairo_stroke(cr);

    TextStyle title;
    title.face = Face::SerifBold;
    title.size = 20;
    title.rgb = 0xf3e6c8;
    title.engrave = 0.6;
    fonts.draw(cr, "Tone Controls", 24, 34, title);
    label(cr, "CLOSE", kCloseX - 8, kCloseY + 16, Align::Right, 8.5);

    // Each control's name at its left, on its centre line.
    label(cr, "VELOCITY CURVE", 24, kVelocityY + 16, Align::Left);
    label(cr, "SYMPATHETIC RESONANCE", 24, kResonanceY + kSlider.knobHeight / 2.0 + 4, Align::Left);
    label(cr, "CHORUS", 24, kChorusY + kSlider.knobHeight / 2.0 + 4, Align::Left);
    paintScale(cr, kResonanceX, kResonanceY + kSlider.knobHeight + 2, kSlider, 1);
    paintScale(cr, kChorusX, kChorusY + kSlider.knobHeight + 2, kSlider, 1);

    // The equaliser: a heading, a rule, and the three bands' names under their sliders.
    cairo_rectangle(cr, 24, 240, s - 48, 1);
    setColour(cr, 0x000000, 0.45);
    cairo_fill(cr);
    cairo_rectangle(cr, 24, 241, s - 48, 1);
    setColour(cr, 0xd9b062, 0.35);
    cairo_fill(cr);
    label(cr, "EQUALISER", s / 2, 276, Align::Centre, 10.5);
    const double eqLabelY = kEqY + kSliderSmall.knobHeight + 32;
    for (auto [x, name] :
         {std::pair<int, const char*>{kBassX, "BASS"}, {kMiddleX, "MIDDLE"}, {kTrebleX, "TREBLE"}})
    {
        paintScale(cr, x, kEqY + kSliderSmall.knobHeight + 2, kSliderSmall, 2);
        label(cr, name, x + kSliderSmall.baseWidth / 2.0, eqLabelY, Align::Centre);
    }
    TextStyle marks;
    marks.face = Face::Sans;
    marks.size = 8;
    marks.rgb = kLabel;
    marks.alpha = 0.6;
    marks.align = Align::Centre;
    for (int x : {kBassX, kMiddleX, kTrebleX})
    {
        const double left = x + 10 + kSliderSmall.knobWidth / 2.0;
        const double track = kSliderSmall.baseWidth - kSliderSmall.knobWidth - 20;
        const double y = kEqY + kSliderSmall.knobHeight + 16;
        fonts.draw(cr, "0", left, y, marks);
        fonts.draw(cr, "100", left + track / 2, y, marks);
        fonts.draw(cr, "200", left + track, y, marks);
    }
}

void PanelPainter::paintSplash(cairo_t* cr) const
{
    const double w = kSplashWidth;
    const double h = kSplashHeight;
    // Black lacquer with a reflection of a warm light, a brass line round the edge.
    cairo_rectangle(cr, 0, 0, w, h);
    setLinear(cr, 0, 0, 0, h, {{0.0, 0x1d1b1c}, {0.3, 0x0b0a0b}, {0.7, 0x060506}, {1.0, 0x121011}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    setRadial(cr, w * 0.3, -20, 10, w * 0.9, {{0.0, 0xffe0b0, 0.12}, {1.0, 0xffe0b0, 0.0}});
    cairo_fill(cr);
    cairo_rectangle(cr, 2.5, 2.5, w - 5, h - 5);
    cairo_set_line_width(cr, 1.0);
    setColour(cr, 0xc9a45a, 0.7);
    cairo_stroke(cr);

    // The product's name in gold, between the notice above and the progress below.
    TextStyle name;
    name.face = Face::Display;
    name.size = 38;
    name.align = Align::Centre;
    name.rgb = 0x000000;
    name.alpha = 0.8;
    fonts.draw(cr, "Virellando", w / 2 + 1, 108, name);
    cairo_push_group(cr);
    name.rgb = 0xffffff;
    name.alpha = 1.0;
    fonts.draw(cr, "Virellando", w / 2, 106, name);
    cairo_pattern_t* letters = cairo_pop_group(cr);
    setLinear(cr, 0, 76, 0, 108, {{0.0, 0xfbe7a6}, {0.45, 0xd9b062}, {1.0, 0x8c6526}});
    cairo_mask(cr, letters);
    cairo_pattern_destroy(letters);
    cairo_rectangle(cr, w / 2 - 70, 116, 140, 0.8);
    setColour(cr, 0xc9a45a, 0.8);
    cairo_fill(cr);

    // A sliver of the keyboard.
    cairo_save(cr);
    const double scale = (w - 60) / (2.0 * kHalfWidth);
    cairo_translate(cr, 30, 124);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, 2.0 * kHalfWidth, kKeyboardHeight);
    cairo_clip(cr);
    KeyboardPainter(geometry).paint(cr, nullptr);
    cairo_restore(cr);
    cairo_rectangle(cr, 30, 124 + kKeyboardHeight * scale, w - 60, 1);
    setColour(cr, 0x000000, 0.8);
    cairo_fill(cr);
}
} // namespace mkskin
