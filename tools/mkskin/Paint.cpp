#include "mkskin/Paint.h"

#include <algorithm>
#include <cmath>

namespace mkskin
{
namespace
{
double channel(uint32_t rgb, int shift)
{
    return ((rgb >> shift) & 0xff) / 255.0;
}

void addStops(cairo_pattern_t* p, std::initializer_list<Stop> stops)
{
    for (const Stop& s : stops)
        cairo_pattern_add_color_stop_rgba(p, s.offset, channel(s.rgb, 16), channel(s.rgb, 8),
                                          channel(s.rgb, 0), s.alpha);
}
} // namespace

void setColour(cairo_t* cr, uint32_t rgb, double alpha)
{
    cairo_set_source_rgba(cr, channel(rgb, 16), channel(rgb, 8), channel(rgb, 0), alpha);
}

uint32_t shade(uint32_t rgb, double factor)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        double c = channel(rgb, shift);
        c = factor <= 1.0 ? c * factor : c + (1.0 - c) * (factor - 1.0);
        out |= static_cast<uint32_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255.0)) << shift;
    }
    return out;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    roundedRect(cr, x, y, w, h, r, r);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double rTop, double rBottom)
{
    rTop = std::min({rTop, w / 2, h / 2});
    rBottom = std::min({rBottom, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - rTop, y + rTop, rTop, -M_PI / 2, 0);
    cairo_arc(cr, x + w - rBottom, y + h - rBottom, rBottom, 0, M_PI / 2);
    cairo_arc(cr, x + rBottom, y + h - rBottom, rBottom, M_PI / 2, M_PI);
    cairo_arc(cr, x + rTop, y + rTop, rTop, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStops(p, stops);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void setRadial(cairo_t* cr, double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    addStops(p, stops);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void softShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha)
{
    const int layers = std::max(1, static_cast<int>(std::ceil(spread * 2)));
    for (int i = layers; i >= 1; --i)
    {
        const double grow = spread * i / layers;
        roundedRect(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow);
        setColour(cr, 0x000000, alpha / layers * 1.6);
        cairo_fill(cr);
    }
}

void lacquer(cairo_t* cr, double x, double y, double w, double h, double r)
{
    roundedRect(cr, x, y, w, h, r);
    setLinear(cr, x, y, x, y + h,
              {{0.0, 0x2c2a2b}, {0.08, 0x111012}, {0.45, 0x070708}, {0.8, 0x0c0b0c}, {1.0, 0x1b1a1b}});
    cairo_fill_preserve(cr);
    setLinear(cr, x, y, x + w, y,
              {{0.0, 0xffffff, 0.0},
               {0.3, 0xffffff, 0.05},
               {0.45, 0xffffff, 0.0},
               {0.75, 0xffffff, 0.03},
               {1.0, 0xffffff, 0.0}});
    cairo_fill(cr);
}

void brass(cairo_t* cr, double x, double y, double w, double h, double brightness)
{
    setLinear(cr, x, y, x, y + h,
              {{0.0, shade(0xfbe7a6, brightness)},
               {0.25, shade(0xd9b062, brightness)},
               {0.55, shade(0xa67b32, brightness)},
               {0.8, shade(0x7d5a22, brightness)},
               {1.0, shade(0x5c4118, brightness)}});
}
} // namespace mkskin
