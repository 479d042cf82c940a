#include "mkskin/Surface.h"

namespace mkskin
{
Surface::Surface(int w, int h, bool alpha)
    : widthPx(w), heightPx(h),
      image(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, w, h)),
      context(cairo_create(image))
{
}

Surface::~Surface()
{
    cairo_destroy(context);
    cairo_surface_destroy(image);
}

uint32_t* Surface::row(int y)
{
    unsigned char* data = cairo_image_surface_get_data(image);
    return reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * cairo_image_surface_get_stride(image));
}

void Surface::flush()
{
    cairo_surface_flush(image);
}

void Surface::copyInto(Surface& target, int x, int y) const
{
    cairo_t* t = target.cr();
    cairo_save(t);
    cairo_set_operator(t, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(t, image, -x, -y);
    cairo_paint(t);
    cairo_restore(t);
}

bool Surface::writePng(const std::string& path)
{
    flush();
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
} // namespace mkskin
