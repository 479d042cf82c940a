#pragma once
// What a skin item resolves to: a stack of gradient layers, a solid colour, an image file, a
// bitmap resource of the module or a tiled image file.
#include <string>
#include <vector>

#include "images/CGradient.h"
#include "images/Colour.h"

namespace gui
{

enum SkinItemKind : int
{
    kSkinLayered = 0,
    kSkinSolidColour = 1,
    kSkinImageFile = 2,
    kSkinResource = 3,
    kSkinTiledFile = 4,
};

struct SkinGradientLayer
{
    int opacity = 100; // percent
    bool blendAsGradient = false;
    int blendGradientStyle = 0;
    int style = 0;
    images::ColourRef start = 0xffffff;
    images::ColourRef end = 0;
    std::vector<images::ColourStop> stops; // in insertion order
};

struct SkinItemDefinition
{
    static constexpr size_t kMaxFileName = 260;
    static constexpr images::ColourRef kDefaultColour = 0xf0f3f3;

    int kind = kSkinLayered;
    std::vector<SkinGradientLayer> layers;
    images::ColourRef colour = kDefaultColour;
    int resourceId = 0;
    std::string fileName;
    std::string name;
    std::string notes;
};

} // namespace gui
