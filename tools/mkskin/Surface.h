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
    Surface(int width, int height, bool withAlpha);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return image; }
    int width() const { return widthPx; }
    int height() const { return heightPx; }

    // Premultiplied 0xAARRGGBB pixels as Cairo keeps them; flush() before reading what was drawn.
    uint32_t* row(int y);
    void flush();
    // Fills target with this surface's pixels from (x, y) on, unblended.
    void copyInto(Surface& target, int x, int y) const;
    bool writePng(const std::string& path);

private:
    int widthPx;
    int heightPx;
    cairo_surface_t* image;
    cairo_t* context;
};
} // namespace mkskin
