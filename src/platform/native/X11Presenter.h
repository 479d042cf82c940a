#pragma once
// Copies rectangles of an image to an X window with XPutImage: straight from the image's memory
// when the visual is 24-bit true colour, converted pixel by pixel otherwise.
#include <X11/Xlib.h>

#include "images/CImage.h"

namespace platform
{

class X11Presenter
{
public:
    // False when the display has no true-colour visual we can draw with.
    bool Init(Display* display, int screen);
    void Put(Window window, GC gc, const images::CImage& image, const images::Rect& r, int destX,
             int destY) const;

private:
    void PutConverted(Window window, GC gc, const images::CImage& image, const images::Rect& r, int destX,
                      int destY) const;

    Display* display_ = nullptr;
    Visual* visual_ = nullptr;
    int depth = 0;
    bool direct = false;
};

} // namespace platform
