#pragma once
// Drawing helpers shared by the skin's painters: colours written as 0xRRGGBB, rounded shapes,
// gradients from colour stops, soft shadows and the lacquer, brass and ivory finishes.
#include <cairo.h>

#include <cstdint>
#include <initializer_list>

namespace mkskin
{
struct Stop
{
    double offset;
    uint32_t rgb;
    double alpha = 1.0;
};

void setColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
// rgb scaled towards black (factor < 1) or white (factor > 1).
uint32_t shade(uint32_t rgb, double factor);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A rounded rectangle whose top and bottom corners have their own radii.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double rTop, double rBottom);

// Linear gradient from (x0, y0) to (x1, y1) set as the source.
void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);
void setRadial(cairo_t* cr, double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops);

// A blurred shadow of a rounded rectangle: layers of growing size and falling opacity.
void softShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha);

// A polished black surface over a rectangle: deep black with a soft reflection band.
void lacquer(cairo_t* cr, double x, double y, double w, double h, double r);
// Brushed brass over the current path's bounding box, lit from above.
void brass(cairo_t* cr, double x, double y, double w, double h, double brightness = 1.0);
} // namespace mkskin
