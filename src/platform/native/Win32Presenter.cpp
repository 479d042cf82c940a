#include "platform/native/Win32Presenter.h"

namespace platform
{

void Win32Presenter::Put(HDC dc, const PixelBuffer& image, const Rect& r, int destX, int destY)
{
    const Rect area = Intersect(r, image.GetRect());
    if (!dc || area.IsEmpty())
        return;
    // A DIB of just the rows wanted, top-down, so the source rectangle starts at its first row: the
    // row origin of top-down DIBs in SetDIBitsToDevice is easy to get wrong otherwise.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.GetWidth();
    info.bmiHeader.biHeight = -area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, destX + (area.left - r.left), destY + (area.top - r.top),
                      static_cast<DWORD>(area.Width()), static_cast<DWORD>(area.Height()), area.left, 0, 0,
                      static_cast<UINT>(area.Height()), image.Row(area.top), &info, DIB_RGB_COLORS);
}

} // namespace platform
