#include "mkskin/FontBook.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>

#include "mkskin/Paint.h"

namespace mkskin
{
namespace
{
struct Wanted
{
    Face face;
    const char* family;
    const char* style;
};

// Debian's fonts-linuxlibertine: a sans for labels, a serif for names.
constexpr Wanted kWanted[] = {
    {Face::Sans, "Linux Biolinum O", "Regular"},
    {Face::SansBold, "Linux Biolinum O", "Bold"},
    {Face::Serif, "Linux Libertine O", "Regular"},
    {Face::SerifBold, "Linux Libertine O", "Semibold"},
    {Face::Display, "Linux Libertine Display O", "Regular"},
};

FT_Library library = nullptr;
} // namespace

struct FontBook::Loaded
{
    FT_Face ftFace = nullptr;
    cairo_font_face_t* cairoFace = nullptr;
};

FontBook::FontBook()
{
    if (!library && FT_Init_FreeType(&library) != 0)
    {
        std::fprintf(stderr, "mkskin: FreeType cannot start\n");
        return;
    }
    FcInit();
    loaded = true;
    for (const Wanted& w : kWanted)
    {
        auto* entry = new Loaded;
        faces.push_back(entry);
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(w.family));
        FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(w.style));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* family = nullptr;
        FcChar8* file = nullptr;
        if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            std::strcmp(reinterpret_cast<const char*>(family), w.family) == 0 &&
            FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
            FT_New_Face(library, reinterpret_cast<const char*>(file), 0, &entry->ftFace) == 0)
        {
            entry->cairoFace = cairo_ft_font_face_create_for_ft_face(entry->ftFace, 0);
        }
        else
        {
            std::fprintf(stderr, "mkskin: the font \"%s %s\" is missing (scripts/install-deps installs it)\n",
                         w.family, w.style);
            loaded = false;
        }
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
}

FontBook::~FontBook()
{
    for (Loaded* entry : faces)
    {
        if (entry->cairoFace)
            cairo_font_face_destroy(entry->cairoFace);
        if (entry->ftFace)
            FT_Done_Face(entry->ftFace);
        delete entry;
    }
}

void FontBook::select(cairo_t* cr, const TextStyle& style) const
{
    const Loaded* entry = faces.at(static_cast<size_t>(style.face));
    cairo_set_font_face(cr, entry->cairoFace);
    cairo_set_font_size(cr, style.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double FontBook::width(cairo_t* cr, const std::string& text, const TextStyle& style) const
{
    cairo_save(cr);
    select(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance + style.tracking * (text.empty() ? 0 : text.size() - 1);
}

void FontBook::show(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) const
{
    if (style.tracking == 0)
    {
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, text.c_str());
        return;
    }
    for (char c : text)
    {
        const char one[2] = {c, 0};
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, one);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, one, &extents);
        x += extents.x_advance + style.tracking;
    }
}

void FontBook::draw(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) const
{
    if (!loaded)
        return;
    const double w = width(cr, text, style);
    if (style.align == Align::Centre)
        x -= w / 2;
    else if (style.align == Align::Right)
        x -= w;
    cairo_save(cr);
    select(cr, style);
    if (style.engrave > 0)
    {
        setColour(cr, 0x000000, style.engrave);
        show(cr, text, x, y + 1, style);
    }
    setColour(cr, style.rgb, style.alpha);
    show(cr, text, x, y, style);
    cairo_restore(cr);
}
} // namespace mkskin
