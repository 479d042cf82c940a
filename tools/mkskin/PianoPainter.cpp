#include "mkskin/PianoPainter.h"

#include <cmath>
#include <vector>

#include "mkskin/KeyboardPainter.h"
#include "mkskin/Paint.h"
#include "mkskin/SkinLayout.h"

namespace mkskin
{
namespace
{
// The case is modelled in metres seen from above (x across the keyboard from the bass end, z away
// from the player) and projected with a mild perspective towards the back of the room.
constexpr double kCaseWidth = 1.5;
constexpr double kScale = 480;    // pixels per metre at the front of the case
constexpr double kDepth = 160;    // pixels per metre of depth at the front
constexpr double kDistance = 2.5; // depth at which sizes halve
constexpr double kRimY = 222;     // picture row of the case's front edge
constexpr double kFloorY = 392;

// The lid's angle for each position, in degrees.
constexpr double kLidAngles[4] = {0, 6, 12, 20};
// How much light reaches the strings for each position.
constexpr double kInteriorLight[4] = {0.0, 0.55, 0.78, 1.0};

struct Point
{
    double x, y;
};

Point project(double x, double height, double z)
{
    const double d = 1 + z / kDistance;
    return {kPianoWidth / 2.0 + (x - kCaseWidth / 2) * kScale / d,
            kRimY - kDepth * z / d - kScale * height / d};
}

void cubic(std::vector<Point>& out, Point a, Point b, Point c, Point d)
{
    for (int i = 1; i <= 24; ++i)
    {
        const double t = i / 24.0;
        const double u = 1 - t;
        out.push_back({u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
                       u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y});
    }
}

// The case seen from above as (x, z) points, clockwise from the front of the bass side.
std::vector<Point> caseOutline()
{
    std::vector<Point> p = {{0, 0}, {0, 1.72}};
    cubic(p, {0, 1.72}, {0, 1.95}, {0.32, 2.02}, {0.55, 1.9});
    cubic(p, {0.55, 1.9}, {0.78, 1.78}, {0.92, 1.3}, {1.12, 0.9});
    cubic(p, {1.12, 0.9}, {1.3, 0.55}, {1.5, 0.45}, {1.5, 0.2});
    p.push_back({1.5, 0});
    return p;
}

// How deep the case reaches at x (the bentside and tail), for the strings' far ends.
double caseDepthAt(const std::vector<Point>& outline, double x)
{
    double depth = 0;
    for (size_t i = 1; i + 1 < outline.size(); ++i)
    {
        const Point a = outline[i];
        const Point b = outline[i + 1];
        if ((a.x - x) * (b.x - x) <= 0 && a.x != b.x)
            depth = std::max(depth, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x));
    }
    return depth;
}

void pathThrough(cairo_t* cr, const std::vector<Point>& points)
{
    cairo_new_path(cr);
    for (const Point& p : points)
        cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
}

std::vector<Point> projectedCase(double lidAngleDegrees, double height)
{
    const double a = lidAngleDegrees * M_PI / 180;
    std::vector<Point> out;
    for (const Point& p : caseOutline())
        out.push_back(project(p.x * std::cos(a), height + p.x * std::sin(a), p.y));
    return out;
}
} // namespace

void PianoPainter::paintRoom(cairo_t* cr) const
{
    // A warm, dim room lit from above the piano.
    cairo_rectangle(cr, 0, 0, kPianoWidth, kFloorY);
    setRadial(cr, 400, 150, 30, 560, {{0.0, 0x4a3426}, {0.45, 0x2b1e17}, {1.0, 0x110b08}});
    cairo_fill(cr);
    // Wall panels: faint vertical mouldings far behind the piano.
    for (int i = 0; i < 6; ++i)
    {
        const double x = 40 + i * 144;
        cairo_rectangle(cr, x, 60, 1.2, kFloorY - 80);
        setColour(cr, 0x000000, 0.18);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 1.2, 60, 0.8, kFloorY - 80);
        setColour(cr, 0xffd9a8, 0.05);
        cairo_fill(cr);
    }
    // Skirting board and a polished wooden floor whose boards run towards the back.
    cairo_rectangle(cr, 0, kFloorY - 10, kPianoWidth, 10);
    setLinear(cr, 0, kFloorY - 10, 0, kFloorY, {{0.0, 0x2a1b12}, {0.2, 0x4b3222}, {1.0, 0x1c120c}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kFloorY, kPianoWidth, kPianoHeight - kFloorY);
    setLinear(cr, 0, kFloorY, 0, kPianoHeight, {{0.0, 0x3a2416}, {0.5, 0x5a3820}, {1.0, 0x6e4527}});
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, kFloorY, kPianoWidth, kPianoHeight - kFloorY);
    cairo_clip(cr);
    for (int i = -14; i <= 14; ++i)
    {
        cairo_move_to(cr, 400 + i * 18, kFloorY);
        cairo_line_to(cr, 400 + i * 62, kPianoHeight);
        setColour(cr, 0x1a0f08, 0.45);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    // The light pools on the floor in front of the piano; the edges fall into shadow.
    cairo_rectangle(cr, 0, kFloorY, kPianoWidth, kPianoHeight - kFloorY);
    setRadial(cr, 400, 470, 20, 420, {{0.0, 0xffd8a0, 0.16}, {0.6, 0xffd8a0, 0.0}, {1.0, 0x000000, 0.35}});
    cairo_fill(cr);
    cairo_restore(cr);
}

void PianoPainter::paintInterior(cairo_t* cr, double light) const
{
    const std::vector<Point> outline = caseOutline();
    cairo_save(cr);
    pathThrough(cr, projectedCase(0, 0));
    cairo_clip(cr);

    // Spruce soundboard under a gold-painted iron frame.
    pathThrough(cr, projectedCase(0, 0));
    setLinear(cr, 0, 40, 0, kRimY, {{0.0, shade(0x9c7440, light)}, {1.0, shade(0xc79a5c, light)}});
    cairo_fill(cr);
    pathThrough(cr, projectedCase(0, -0.005));
    setLinear(cr, 100, 60, 700, 220,
              {{0.0, shade(0xa88436, light)},
               {0.4, shade(0xd8b25e, light)},
               {0.7, shade(0xb8913f, light)},
               {1.0, shade(0x8a6828, light)}});
    cairo_fill(cr);
    // Struts of the frame, running from the front towards the tail.
    for (double x : {0.38, 0.66, 0.94})
    {
        const double zBack = caseDepthAt(outline, x + 0.1) - 0.18;
        const Point a = project(x - 0.02, 0.0, 0.14);
        const Point b = project(x + 0.08, 0.0, zBack);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 13);
        setColour(cr, shade(0x8a6a2a, light), 0.8);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 9);
        setColour(cr, shade(0xcfa957, light));
        cairo_stroke(cr);
    }
    // Openings in the frame show the spruce soundboard below.
    for (int i = 0; i < 4; ++i)
    {
        const double x = 0.24 + i * 0.28;
        const double zBack = caseDepthAt(outline, x) * 0.78;
        const Point c = project(x, 0, zBack * 0.58);
        const Point top = project(x, 0, zBack);
        const double rx = 0.075 * kScale / (1 + zBack * 0.58 / kDistance);
        const double ry = std::max(7.0, (c.y - top.y) * 0.55);
        cairo_save(cr);
        cairo_translate(cr, c.x, c.y);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        setRadial(
            cr, 0, 0.25, 0.2, 1.0,
            {{0.0, shade(0xc99b60, light)}, {0.8, shade(0x9a7040, light)}, {1.0, shade(0x4a3018, light)}});
        cairo_fill_preserve(cr);
        cairo_restore(cr);
        cairo_set_line_width(cr, 1.2);
        setColour(cr, shade(0xf5d98a, light), 0.8);
        cairo_stroke(cr);
    }
    // Tuning pins behind the fallboard.
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 70; ++i)
        {
            const Point p = project(0.1 + i * 1.3 / 70 + row * 0.009, 0.01, 0.075 + row * 0.03);
            cairo_arc(cr, p.x, p.y, 1.3, 0, 2 * M_PI);
            setColour(cr, shade(0xe8e6df, light));
            cairo_fill(cr);
        }
    // Strings: copper-wound in the bass, crossing over the tenor; steel above.
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 110; ++i)
    {
        const double t = i / 109.0;
        const bool bass = t < 0.22;
        double x0 = 0.08 + t * 1.34;
        double x1 = x0;
        if (bass)
        {
            x0 = 0.05 + t * 1.2;
            x1 = x0 + 0.22;
        }
        const double zEnd = caseDepthAt(outline, x1) - 0.12;
        const Point a = project(x0, 0.02, 0.12);
        const Point b = project(x1, 0.02, std::max(0.3, zEnd));
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        setColour(cr, shade(bass ? 0xc98a4e : 0xe4e3de, light), 0.9);
        cairo_stroke(cr);
    }
    // The bridge the strings cross near their far ends.
    cairo_new_path(cr);
    for (int i = 0; i <= 40; ++i)
    {
        const double x = 0.3 + i * 1.1 / 40;
        const Point p = project(x, 0.02, caseDepthAt(outline, x) - 0.2);
        cairo_line_to(cr, p.x, p.y);
    }
    cairo_set_line_width(cr, 2.0);
    setColour(cr, shade(0x5a3a1c, light), 0.8);
    cairo_stroke(cr);
    // The pressure bar holding the strings down behind the pins.
    {
        const Point a = project(0.06, 0.02, 0.13);
        const Point b = project(1.44, 0.02, 0.13);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_set_line_width(cr, 2.2);
        setColour(cr, shade(0xd8d6cf, light));
        cairo_stroke(cr);
    }
    // Hitch pins along the strings' far ends.
    for (int i = 0; i < 60; ++i)
    {
        const double x = 0.3 + i * 1.1 / 60;
        const Point p = project(x, 0.02, caseDepthAt(outline, x) - 0.11);
        cairo_arc(cr, p.x, p.y, 0.9, 0, 2 * M_PI);
        setColour(cr, shade(0xf0eee6, light), 0.8);
        cairo_fill(cr);
    }
    // Dampers resting on the strings: wooden heads over felt, all but the highest octaves.
    for (int i = 0; i < 66; ++i)
    {
        const double x = 0.09 + i * 1.13 / 66;
        const Point a = project(x, 0.04, 0.2);
        const Point b = project(x + 0.012, 0.04, 0.25);
        roundedRect(cr, a.x, b.y, b.x - a.x, a.y - b.y + 2, 0.8);
        setLinear(cr, 0, b.y, 0, a.y + 2,
                  {{0.0, shade(0x6b4a2e, std::max(light, 0.6))},
                   {0.5, shade(0x3a2414, light)},
                   {1.0, shade(0x120c08, light)}});
        cairo_fill(cr);
    }
    // The lid's shadow: the less it opens, the darker and the further it reaches from the spine.
    pathThrough(cr, projectedCase(0, 0));
    setLinear(cr, 40, 0, 760, 0, {{0.0, 0x000000, 0.75 - 0.5 * light}, {1.0, 0x000000, 0.35 * (1 - light)}});
    cairo_fill(cr);
    cairo_restore(cr);

    // The rim around it all.
    pathThrough(cr, projectedCase(0, 0));
    cairo_set_line_width(cr, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, 0x0b0a0b);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    setColour(cr, 0x6a6462, 0.6);
    cairo_stroke(cr);
}

void PianoPainter::paintLid(cairo_t* cr, int lidPosition) const
{
    const double angle = kLidAngles[lidPosition];
    const double a = angle * M_PI / 180;
    if (lidPosition > 0)
    {
        // The prop stick from the bentside up to the lid.
        const Point foot = project(1.2, 0, 0.75);
        const Point head = project(1.2 * std::cos(a), 1.2 * std::sin(a), 0.75);
        cairo_move_to(cr, foot.x, foot.y);
        cairo_line_to(cr, head.x + 4, head.y);
        cairo_set_line_width(cr, 4.0);
        setColour(cr, 0x0a0909);
        cairo_stroke(cr);
        cairo_move_to(cr, foot.x - 1, foot.y);
        cairo_line_to(cr, head.x + 3, head.y);
        cairo_set_line_width(cr, 1.0);
        setColour(cr, 0x8a8078, 0.45);
        cairo_stroke(cr);
    }
    // The lid's edge: a band of lacquer as thick as the lid.
    const std::vector<Point> top = projectedCase(angle, 0.035);
    const std::vector<Point> bottom = projectedCase(angle, 0.0);
    pathThrough(cr, bottom);
    setColour(cr, 0x141314);
    cairo_fill(cr);
    // The top surface mirrors the room: dark, with a broad soft reflection of the light above.
    pathThrough(cr, top);
    setLinear(cr, 60, 230, 560, -80,
              {{0.0, 0x0c0c0d}, {0.35, 0x18171a}, {0.55, 0x2c2a2d}, {0.62, 0x1a191b}, {1.0, 0x0a0a0b}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setRadial(cr, 380, 120, 10, 260, {{0.0, 0xffe6c0, 0.16}, {1.0, 0xffe6c0, 0.0}});
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, 0x77716c, 0.55);
    cairo_stroke(cr);
}

void PianoPainter::paintFront(cairo_t* cr) const
{
    // Name board above the keys, with the maker's name inlaid in gold.
    lacquer(cr, 34, 208, 732, 50, 5);
    cairo_rectangle(cr, 38, 209, 724, 2);
    setColour(cr, 0xffffff, 0.22);
    cairo_fill(cr);
    TextStyle maker;
    maker.face = Face::Serif;
    maker.size = 15;
    maker.tracking = 4.5;
    maker.align = Align::Centre;
    maker.rgb = 0x1a1206;
    maker.alpha = 0.9;
    fonts.draw(cr, "TALLOWIND", 400, 239, maker);
    cairo_save(cr);
    setLinear(cr, 0, 226, 0, 240, {{0.0, 0xf8e3a4}, {0.5, 0xd2a655}, {1.0, 0x9a7430}});
    cairo_pattern_t* gold = cairo_get_source(cr);
    cairo_pattern_reference(gold);
    maker.rgb = 0xd8b060;
    maker.alpha = 1.0;
    cairo_push_group(cr);
    fonts.draw(cr, "TALLOWIND", 400, 238, maker);
    cairo_pattern_t* letters = cairo_pop_group(cr);
    cairo_set_source(cr, gold);
    cairo_mask(cr, letters);
    cairo_pattern_destroy(letters);
    cairo_pattern_destroy(gold);
    cairo_restore(cr);
    // The name board's lower edge throws its shadow on the keys (drawn with them).
    cairo_rectangle(cr, 76, 252, 648, 4);
    setLinear(cr, 0, 252, 0, 256, {{0.0, 0x050505}, {1.0, 0x000000}});
    cairo_fill(cr);

    // Key blocks at both ends of the keyboard.
    for (double x : {34.0, 724.0})
    {
        lacquer(cr, x, 222, 42, 118, 6);
        cairo_rectangle(cr, x + 3, 224, 36, 1.5);
        setColour(cr, 0xffffff, 0.25);
        cairo_fill(cr);
    }
    // The keys.
    cairo_save(cr);
    cairo_translate(cr, kKeyboardX, kKeyboardY);
    KeyboardPainter(geometry).paint(cr, nullptr);
    cairo_restore(cr);
    // Key slip in front of the keys, its top edge catching the light.
    lacquer(cr, 28, kKeyboardY + kKeyboardHeight, 744, 18, 3);
    cairo_rectangle(cr, 30, kKeyboardY + kKeyboardHeight, 740, 1.5);
    setColour(cr, 0xffffff, 0.3);
    cairo_fill(cr);
    cairo_rectangle(cr, 30, kKeyboardY + kKeyboardHeight + 1.5, 740, 3);
    setColour(cr, 0xf0e6d0, 0.06);
    cairo_fill(cr);
    // The underside of the keybed.
    cairo_rectangle(cr, 40, kKeyboardY + kKeyboardHeight + 18, 720, 10);
    setLinear(cr, 0, 344, 0, 354, {{0.0, 0x0b0a0a}, {1.0, 0x050404, 0.0}});
    cairo_fill(cr);
}

void PianoPainter::paintStand(cairo_t* cr) const
{
    // Shadow of the piano on the floor.
    cairo_save(cr);
    cairo_translate(cr, 400, kFloorY + 14);
    cairo_scale(cr, 420, 26);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    setRadial(cr, 0, 0, 0, 1, {{0.0, 0x000000, 0.55}, {1.0, 0x000000, 0.0}});
    cairo_fill(cr);
    cairo_restore(cr);

    // Legs: tapered, lacquered, on brass castors.
    for (double cx : {72.0, 728.0})
    {
        cairo_move_to(cr, cx - 20, 350);
        cairo_line_to(cr, cx + 20, 350);
        cairo_line_to(cr, cx + 13, 452);
        cairo_line_to(cr, cx - 13, 452);
        cairo_close_path(cr);
        setLinear(cr, cx - 20, 0, cx + 20, 0,
                  {{0.0, 0x050505}, {0.3, 0x2a2829}, {0.42, 0x111011}, {0.8, 0x070707}, {1.0, 0x141314}});
        cairo_fill(cr);
        roundedRect(cr, cx - 24, 346, 48, 12, 3);
        setLinear(cr, 0, 346, 0, 358, {{0.0, 0x2b292a}, {1.0, 0x0a0909}});
        cairo_fill(cr);
        roundedRect(cr, cx - 14, 452, 28, 6, 2);
        brass(cr, cx - 14, 452, 28, 6);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_translate(cr, cx, 462);
        cairo_scale(cr, 9, 5);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        brass(cr, cx - 9, 457, 18, 10, 0.8);
        cairo_fill(cr);
        // Its reflection in the polished floor.
        cairo_rectangle(cr, cx - 12, 467, 24, 16);
        setLinear(cr, 0, 467, 0, 483, {{0.0, 0x000000, 0.35}, {1.0, 0x000000, 0.0}});
        cairo_fill(cr);
    }

    // The lyre: two posts and its curved frame down to the pedal box.
    for (double x : {383.0, 411.0})
    {
        cairo_rectangle(cr, x, 352, 6, 84);
        setLinear(cr, x, 0, x + 6, 0, {{0.0, 0x070707}, {0.4, 0x2e2c2d}, {1.0, 0x080808}});
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 4);
    for (int side : {-1, 1})
    {
        cairo_move_to(cr, 400 + side * 8, 354);
        cairo_curve_to(cr, 400 + side * 34, 372, 400 + side * 4, 404, 400 + side * 24, 434);
        setColour(cr, 0x0a0909);
        cairo_stroke(cr);
        cairo_move_to(cr, 400 + side * 8 - 1, 354);
        cairo_curve_to(cr, 400 + side * 34 - 1, 372, 400 + side * 4 - 1, 404, 400 + side * 24 - 1, 434);
        cairo_set_line_width(cr, 1);
        setColour(cr, 0x6d6763, 0.5);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 4);
    }
    lacquer(cr, 372, 350, 56, 8, 2);
}

void PianoPainter::paintPedal(cairo_t* cr, double cx, bool down) const
{
    // A flat brass lever reaching out of the pedal box towards the player, widening into a rounded
    // toe; pressed, its toe dips towards the floor and turns away from the light.
    const double tipY = down ? 482.0 : 476.0;
    const double light = down ? 0.68 : 1.0;
    // Shadow on the floor, closer under a pressed pedal.
    cairo_save(cr);
    cairo_translate(cr, cx + 2, 485);
    cairo_scale(cr, 13, 3.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, 0x000000, down ? 0.55 : 0.3);
    cairo_fill(cr);
    auto outline = [&](double bottom)
    {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - 4, 446);
        cairo_curve_to(cr, cx - 5, 458, cx - 10, bottom - 12, cx - 10.5, bottom - 5);
        cairo_curve_to(cr, cx - 10.5, bottom + 0.5, cx + 10.5, bottom + 0.5, cx + 10.5, bottom - 5);
        cairo_curve_to(cr, cx + 10, bottom - 12, cx + 5, 458, cx + 4, 446);
        cairo_close_path(cr);
    };
    // The toe's edge: the thickness of the plate, seen below its top.
    outline(tipY);
    setColour(cr, shade(0x4a3413, light));
    cairo_fill(cr);
    // The top surface, rounded across like a polished bar, darker where it leaves the box.
    outline(tipY - 3);
    setLinear(cr, cx - 10.5, 0, cx + 10.5, 0,
              {{0.0, shade(0x6a4c1c, light)},
               {0.3, shade(0xc9a050, light)},
               {0.45, shade(0xfbe9b0, light)},
               {0.6, shade(0xd6b062, light)},
               {1.0, shade(0x5c4118, light)}});
    cairo_fill_preserve(cr);
    setLinear(cr, 0, 446, 0, tipY, {{0.0, 0x000000, 0.6}, {0.35, 0x000000, 0.1}, {1.0, 0x000000, 0.0}});
    cairo_fill(cr);
    // The rim where top and edge meet catches the light.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 10, tipY - 6.5);
    cairo_curve_to(cr, cx - 9.5, tipY - 2.2, cx + 9.5, tipY - 2.2, cx + 10, tipY - 6.5);
    cairo_set_line_width(cr, 0.9);
    setColour(cr, 0xfff3cc, down ? 0.35 : 0.7);
    cairo_stroke(cr);
}

void PianoPainter::paintPedalArea(cairo_t* cr, bool softDown, bool sustainDown) const
{
    // The pedal box at the foot of the lyre, with a brass trim.
    lacquer(cr, 360, 434, 80, 13, 3);
    cairo_rectangle(cr, 362, 444.5, 76, 1.5);
    brass(cr, 362, 444, 76, 2);
    cairo_fill(cr);
    paintPedal(cr, 381, softDown);
    paintPedal(cr, 419, sustainDown);
}

void PianoPainter::paint(cairo_t* cr, int lidPosition, bool softDown, bool sustainDown) const
{
    paintRoom(cr);
    if (lidPosition > 0)
        paintInterior(cr, kInteriorLight[lidPosition]);
    paintLid(cr, lidPosition);
    paintStand(cr);
    paintFront(cr);
    paintPedalArea(cr, softDown, sustainDown);
}
} // namespace mkskin
