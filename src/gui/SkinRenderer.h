#pragma once
// Draws a resolved skin item at a size: gradient layers blended over each other, a solid fill, an
// image file (scaled when a size is given), a module bitmap (on Linux the file "<id>.bmp" or
// "<id>.png" in the module's folder) or an image file tiled from the top-left corner.
#include "gui/SkinItemDefinition.h"

namespace images
{
class CImage;
}

namespace gui
{

class CSkin;

class SkinRenderer
{
public:
    explicit SkinRenderer(CSkin& sharedSkin) : skin(sharedSkin) {}
    bool Render(const SkinItemDefinition& definition, int width, int height, images::CImage& out);

private:
    bool RenderLayers(const SkinItemDefinition& definition, int width, int height, images::CImage& out);
    bool LoadFile(const std::string& fileName, images::CImage& out);
    bool LoadResource(int id, images::CImage& out);
    static bool Tile(const images::CImage& tile, int width, int height, images::CImage& out);

    CSkin& skin;
};

} // namespace gui
