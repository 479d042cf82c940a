// Text through GDI: a grey-smoothed font drawn white on black into a DIB section, whose green channel is
// the coverage.
#include <windows.h>

#include <cstring>

#include "platform/SystemFont.h"
#include "platform/TopDownBitmap.h"

namespace platform
{

SystemFont::~SystemFont()
{
    if (dc && previous)
        SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(previous));
    if (font)
        DeleteObject(static_cast<HGDIOBJ>(font));
    if (dc)
        DeleteDC(static_cast<HDC>(dc));
}

bool SystemFont::Open(const char* family, int pixelHeight)
{
    if (dc || pixelHeight <= 0)
        return false;
    LOGFONTA description{};
    description.lfHeight = -pixelHeight; // negative: the em, not the cell, is pixelHeight high
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfQuality = ANTIALIASED_QUALITY; // grey smoothing, never sub-pixel colours
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (family)
        lstrcpynA(description.lfFaceName, family, LF_FACESIZE);
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return false;
    dc = memory;
    HFONT handle = CreateFontIndirectA(&description);
    if (!handle)
        return false;
    font = handle;
    previous = SelectObject(memory, handle);
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(memory, &metrics))
        return false;
    ascent = metrics.tmAscent;
    height = metrics.tmHeight;
    return height > 0;
}

int SystemFont::MeasureWidth(const std::u16string& text) const
{
    SIZE size{};
    if (!dc || text.empty() ||
        !GetTextExtentPoint32W(static_cast<HDC>(dc), reinterpret_cast<LPCWSTR>(text.data()),
                               static_cast<int>(text.size()), &size))
    {
        return 0;
    }
    return size.cx;
}

bool SystemFont::Render(const std::u16string& text, std::vector<uint8_t>& coverage, int& width,
                        int& originX) const
{
    if (!dc || text.empty() || height <= 0)
        return false;
    // Room on both sides for glyphs that overhang their advance.
    originX = height / 2 + 2;
    width = MeasureWidth(text) + 2 * originX;
    BITMAPINFO info = TopDownBitmap(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(static_cast<HDC>(dc), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
    {
        if (bitmap)
            DeleteObject(bitmap);
        return false;
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const size_t count = static_cast<size_t>(width) * height;
    std::memset(bits, 0, count * 4);
    const HDC memory = static_cast<HDC>(dc);
    HGDIOBJ before = SelectObject(memory, bitmap);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(255, 255, 255));
    SetTextAlign(memory, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const BOOL drawn =
        TextOutW(memory, originX, 0, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()));
    GdiFlush();
    if (drawn)
    {
        coverage.resize(count);
        for (size_t i = 0; i < count; ++i)
            coverage[i] = static_cast<uint8_t>(pixels[i] >> 8);
    }
    SelectObject(memory, before);
    DeleteObject(bitmap);
    return drawn != FALSE;
}

} // namespace platform
