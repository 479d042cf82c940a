#pragma once
// A picture being drawn: a Cairo image surface with its drawing context, 32-bit with alpha or 24-bit
// opaque, that can be written as a PNG file. Used by one thread.
#include <cairo.h>

#include <cstdint>
#include <string>

namespace mkskin
{
class Surface
{
public:
    Surface(int widthPx, int heightPx, bool withAlpha);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return image; }
    int width() const { return widthPx; }
    int height() const { return heightPx; }
    bool hasAlpha() const { return withAlpha; }

    // Premultiplied 0xAARRGGBB pixels as Cairo keeps them; flush() before reading what was drawn.
    uint32_t* row(int y);
    void flush();
    // Draws this surface onto another at (x, y).
    void paintOnto(cairo_t* target, double x, double y) const;
    // A copy of the rectangle at (x, y), with alpha or without.
    void copyInto(Surface& target, int x, int y) const;
    bool writePng(const std::string& path);

private:
    int widthPx;
    int heightPx;
    bool withAlpha;
    cairo_surface_t* image;
    cairo_t* context;
};
} // namespace mkskin
