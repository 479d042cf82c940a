#pragma once
// A font of the system's text renderer, for systems where the image library's FreeType renderer is not
// built (Windows: GDI). It measures a line and renders it as 8-bit coverage, which the image library
// blends in its own way on every system. Used on one thread at a time.
#include <cstdint>
#include <string>
#include <vector>

namespace platform
{

class SystemFont
{
public:
    SystemFont() = default;
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;
    ~SystemFont();

    // The installed font closest to the family, pixelHeight pixels to the em, smoothed in grey.
    bool Open(const char* family, int pixelHeight);
    int GetHeight() const { return height; }
    int GetAscent() const { return ascent; }
    int MeasureWidth(const std::u16string& text) const;
    // Renders one line: coverage has width × GetHeight() bytes, row by row, with the pen starting at
    // column originX and the baseline at row GetAscent(); glyphs may reach left of the pen.
    bool Render(const std::u16string& text, std::vector<uint8_t>& coverage, int& width, int& originX) const;

private:
    void* dc = nullptr;   // memory device context with the font selected
    void* font = nullptr; // the font's handle
    void* previous = nullptr;
    int height = 0;
    int ascent = 0;
};

} // namespace platform
