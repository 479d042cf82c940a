#include "images/FreeTypeFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <mutex>

#include "images/CImage.h"
#include "images/Utf8.h"

using namespace platform;

namespace images
{

std::unique_ptr<Font> Font::Create(const char* family, int pixelHeight)
{
    auto font = std::make_unique<FreeTypeFont>();
    if (!font->Open(family, pixelHeight))
        return nullptr;
    return font;
}

FreeTypeFont::~FreeTypeFont()
{
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
}

std::string FreeTypeFont::MatchFile(const char* family)
{
    // Loading fontconfig's configuration takes tens of milliseconds: remember each family's answer.
    static std::mutex mutex;
    static std::map<std::string, std::string> known;
    const std::string key = family ? family : "";
    std::lock_guard<std::mutex> hold(mutex);
    const auto found = known.find(key);
    if (found != known.end())
        return found->second;
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family && *family ? family : "sans"));
    if (pattern)
    {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    if (!file.empty())
        known.emplace(key, file);
    return file;
}

bool FreeTypeFont::Open(const char* family, int pixelHeight)
{
    if (pixelHeight <= 0)
        return false;
    const std::string file = MatchFile(family);
    if (file.empty())
        return false;
    if (FT_Init_FreeType(&library) != 0)
    {
        library = nullptr;
        return false;
    }
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0)
    {
        face = nullptr;
        return false;
    }
    // The height asked for is the cell height, as with the font heights of the rest of the system.
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0)
        return false;
    ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    height = static_cast<int>((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
    return height > 0;
}

int FreeTypeFont::MeasureWidth(const char* text, size_t length) const
{
    if (!face || !text)
        return 0;
    long width = 0;
    for (size_t i = 0; i < length;)
    {
        if (FT_Load_Char(face, NextCodePoint(text, length, i), FT_LOAD_DEFAULT) == 0)
            width += face->glyph->advance.x;
    }
    return static_cast<int>(width >> 6);
}

void FreeTypeFont::DrawLine(CImage& target, const char* text, size_t length, int x, int baselineY,
                            ColourRef colour, const Rect& clip) const
{
    if (!face || !text)
        return;
    const Rect area = Intersect(clip, target.GetRect());
    const uint32_t ink = PixelFromColourRef(colour);
    long penX = static_cast<long>(x) << 6;
    for (size_t i = 0; i < length;)
    {
        if (FT_Load_Char(face, NextCodePoint(text, length, i), FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int left = static_cast<int>(penX >> 6) + g->bitmap_left;
        const int top = baselineY - g->bitmap_top;
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
        {
            for (unsigned row = 0; row < bm.rows; ++row)
            {
                const int py = top + static_cast<int>(row);
                if (py < area.top || py >= area.bottom)
                    continue;
                uint32_t* out = target.Row(py);
                const unsigned char* cover = bm.buffer + static_cast<long>(row) * bm.pitch;
                for (unsigned col = 0; col < bm.width; ++col)
                {
                    const int px = left + static_cast<int>(col);
                    if (px >= area.left && px < area.right && cover[col])
                        out[px] = MixPixels(ink, out[px], cover[col]);
                }
            }
        }
        penX += g->advance.x;
    }
}

} // namespace images
