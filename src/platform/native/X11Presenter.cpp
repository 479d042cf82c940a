#include "platform/native/X11Presenter.h"

#include <X11/Xutil.h>

#include <cstdlib>

using namespace images;

namespace platform
{

namespace
{
int ShiftOf(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1))
    {
        mask >>= 1;
        ++shift;
    }
    return shift;
}
} // namespace

bool X11Presenter::Init(Display* display, int screen)
{
    display_ = display;
    visual_ = DefaultVisual(display, screen);
    depth = DefaultDepth(display, screen);
    if (!visual_ || visual_->c_class != TrueColor)
        return false;
    direct = (depth == 24 || depth == 32) && visual_->red_mask == 0xff0000 && visual_->green_mask == 0xff00 &&
             visual_->blue_mask == 0xff;
    return true;
}

void X11Presenter::Put(Window window, GC gc, const CImage& image, const Rect& r, int destX, int destY) const
{
    const Rect area = Intersect(r, image.GetRect());
    if (!display_ || area.IsEmpty())
        return;
    if (!direct)
    {
        PutConverted(window, gc, image, area, destX + area.left - r.left, destY + area.top - r.top);
        return;
    }
    // The image's pixels are 0xAARRGGBB words: exactly a 32-bit, least-significant-byte-first ZPixmap.
    XImage* x = XCreateImage(display_, visual_, static_cast<unsigned>(depth), ZPixmap, 0,
                             reinterpret_cast<char*>(const_cast<uint32_t*>(image.Row(0))),
                             static_cast<unsigned>(image.GetWidth()),
                             static_cast<unsigned>(image.GetHeight()), 32, image.GetWidth() * 4);
    if (!x)
        return;
    x->byte_order = LSBFirst;
    XPutImage(display_, window, gc, x, area.left, area.top, destX + area.left - r.left,
              destY + area.top - r.top, static_cast<unsigned>(area.Width()),
              static_cast<unsigned>(area.Height()));
    x->data = nullptr; // the pixels belong to the image
    XDestroyImage(x);
}

void X11Presenter::PutConverted(Window window, GC gc, const CImage& image, const Rect& r, int destX,
                                int destY) const
{
    XImage* x = XCreateImage(display_, visual_, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                             static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()), 32, 0);
    if (!x)
        return;
    x->data = static_cast<char*>(std::malloc(static_cast<size_t>(x->bytes_per_line) * r.Height()));
    if (!x->data)
    {
        XDestroyImage(x);
        return;
    }
    const unsigned long rm = visual_->red_mask, gm = visual_->green_mask, bm = visual_->blue_mask;
    const int rs = ShiftOf(rm), gs = ShiftOf(gm), bs = ShiftOf(bm);
    for (int y = 0; y < r.Height(); ++y)
        for (int xx = 0; xx < r.Width(); ++xx)
        {
            const uint32_t p = image.Row(r.top + y)[r.left + xx];
            // Scale each 8-bit channel to its mask's width.
            auto scale = [](uint32_t v, unsigned long mask, int shift)
            {
                const unsigned long max = mask >> shift;
                return ((v * max + 127) / 255) << shift;
            };
            XPutPixel(x, xx, y,
                      scale((p >> 16) & 0xff, rm, rs) | scale((p >> 8) & 0xff, gm, gs) |
                          scale(p & 0xff, bm, bs));
        }
    XPutImage(display_, window, gc, x, 0, 0, destX, destY, static_cast<unsigned>(r.Width()),
              static_cast<unsigned>(r.Height()));
    XDestroyImage(x);
}

} // namespace platform
