#pragma once
// The typefaces of the skin, found through fontconfig among the fonts Debian installs, and the
// drawing of labels with them: anti-aliased, letter-spaced, optionally engraved. Every face must be
// present: a skin drawn with a stand-in font would look wrong without saying so.
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mkskin
{
enum class Face
{
    Sans,      // labels
    SansBold,  // small capitals on panels
    Serif,     // the maker's name
    SerifBold, // headings
    Display,   // the product's name
};

enum class Align
{
    Left,
    Centre,
    Right,
};

struct TextStyle
{
    Face face = Face::SansBold;
    double size = 10;
    uint32_t rgb = 0xffffff;
    double alpha = 1.0;
    double tracking = 0; // extra pixels between letters
    Align align = Align::Left;
    double engrave = 0; // opacity of a dark shadow one pixel below (0: none)
};

class FontBook
{
public:
    FontBook();
    ~FontBook();
    FontBook(const FontBook&) = delete;
    FontBook& operator=(const FontBook&) = delete;

    // False with a message on stderr when a face is missing.
    bool ready() const { return loaded; }
    // Draws text with its baseline at y; x is the left edge, centre or right edge by the style.
    void draw(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) const;
    double width(cairo_t* cr, const std::string& text, const TextStyle& style) const;

private:
    void select(cairo_t* cr, const TextStyle& style) const;
    void show(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) const;

    struct Loaded;
    std::vector<Loaded*> faces;
    bool loaded = false;
};
} // namespace mkskin
