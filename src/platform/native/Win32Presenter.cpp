#include "platform/native/Win32Presenter.h"

#include <cstring>

#include "platform/TopDownBitmap.h"

namespace platform
{

void Win32Presenter::Put(HDC dc, const PixelBuffer& image, const Rect& r, int destX, int destY)
{
    const Rect area = Intersect(r, image.GetRect());
    if (!dc || area.IsEmpty())
        return;
    // A DIB of just the rows wanted, top-down, so the source rectangle starts at its first row: the
    // row origin of top-down DIBs in SetDIBitsToDevice is easy to get wrong otherwise.
    BITMAPINFO info = TopDownBitmap(image.GetWidth(), area.Height());
    SetDIBitsToDevice(dc, destX + (area.left - r.left), destY + (area.top - r.top),
                      static_cast<DWORD>(area.Width()), static_cast<DWORD>(area.Height()), area.left, 0, 0,
                      static_cast<UINT>(area.Height()), image.Row(area.top), &info, DIB_RGB_COLORS);
}

bool Win32Presenter::PutLayered(HWND window, const PixelBuffer& image, int screenX, int screenY)
{
    if (!window || !image.IsValid())
        return false;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return false;
    BITMAPINFO info = TopDownBitmap(image.GetWidth(), image.GetHeight());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool done = false;
    if (bitmap && bits)
    {
        const size_t rowBytes = static_cast<size_t>(image.GetWidth()) * 4;
        for (int y = 0; y < image.GetHeight(); ++y)
            std::memcpy(static_cast<char*>(bits) + rowBytes * y, image.Row(y), rowBytes);
        HGDIOBJ before = SelectObject(memory, bitmap);
        POINT place{screenX, screenY};
        SIZE size{image.GetWidth(), image.GetHeight()};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
        // Opaque: pictures are drawn complete, their alpha bytes say nothing about the screen.
        done = UpdateLayeredWindow(window, nullptr, &place, &size, memory, &origin, 0, &blend, ULW_OPAQUE) !=
               FALSE;
        SelectObject(memory, before);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    return done;
}

} // namespace platform
