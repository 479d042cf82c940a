#pragma once
// Font rasterising through FreeType, the face found through fontconfig.
#include <string>

#include "images/Font.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace images
{

class FreeTypeFont : public Font
{
public:
    ~FreeTypeFont() override;
    // Opens the file that fontconfig matches to the family; false when nothing can be opened.
    bool Open(const char* family, int pixelHeight);

    int GetHeight() const override { return height_; }
    int GetAscent() const override { return ascent; }
    int MeasureWidth(const char* text, size_t length) const override;
    void DrawLine(CImage& target, const char* text, size_t length, int x, int baselineY, ColourRef colour,
                  const Rect& clip) const override;

private:
    static std::string MatchFile(const char* family);

    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face_ = nullptr;
    int height_ = 0;
    int ascent = 0;
};

} // namespace images
