#include "gui/SkinRenderer.h"

#include <string>

#include "gui/CSkin.h"
#include "images/CImage.h"

using namespace images;

namespace gui
{

bool SkinRenderer::Render(const SkinItemDefinition& definition, int width, int height, CImage& out)
{
    const bool sized = width > 0 && height > 0;
    switch (definition.kind)
    {
    case kSkinLayered:
        return RenderLayers(definition, width, height, out);
    case kSkinSolidColour:
        if (!out.Create(width, height))
            return false;
        out.Fill(definition.colour);
        return true;
    case kSkinImageFile:
        return LoadFile(definition.fileName, out) && (!sized || out.Resize(width, height));
    case kSkinResource:
        return LoadResource(definition.resourceId, out) && (!sized || out.Resize(width, height));
    case kSkinTiledFile:
    {
        if (!sized)
            return LoadFile(definition.fileName, out);
        CImage tile;
        return LoadFile(definition.fileName, tile) && Tile(tile, width, height, out);
    }
    default:
        return false;
    }
}

bool SkinRenderer::RenderLayers(const SkinItemDefinition& definition, int width, int height, CImage& out)
{
    if (definition.layers.empty() || !out.Create(width, height))
        return false;
    const SkinGradientLayer& first = definition.layers.front();
    CGradient::Draw(out, first.style, first.start, first.end, first.stops);
    CImage scratch, mask;
    for (size_t i = 1; i < definition.layers.size(); ++i)
    {
        const SkinGradientLayer& layer = definition.layers[i];
        if (layer.opacity <= 0 || !scratch.Create(width, height))
            continue;
        CGradient::Draw(scratch, layer.style, layer.start, layer.end, layer.stops);
        if (layer.blendAsGradient && mask.Create(width, height))
        {
            // The mask runs from transparent (black) to opaque (white) in the blend style's shape.
            CGradient::Draw(mask, layer.blendGradientStyle, 0x000000, 0xffffff, {});
            out.BlendThroughMask(scratch, mask);
        }
        else
        {
            out.BlendRect(scratch, scratch.GetRect(), 0, 0, layer.opacity);
        }
    }
    return true;
}

bool SkinRenderer::LoadFile(const std::string& fileName, CImage& out)
{
    if (fileName.empty())
        return false;
    if (out.Load(fileName.c_str()))
        return true;
    const std::string beside = skin.GetFolder() + "/" + fileName;
    return out.Load(beside.c_str());
}

bool SkinRenderer::LoadResource(int id, CImage& out)
{
    if (id <= 0)
        return false;
    const std::string base = skin.GetFolder() + "/" + std::to_string(id);
    return out.Load((base + ".bmp").c_str()) || out.Load((base + ".png").c_str());
}

bool SkinRenderer::Tile(const CImage& tile, int width, int height, CImage& out)
{
    if (!tile.IsValid() || !out.Create(width, height, tile.GetBitsPerPixel()))
        return false;
    for (int y = 0; y < height; y += tile.GetHeight())
        for (int x = 0; x < width; x += tile.GetWidth())
            out.CopyRect(tile, tile.GetRect(), x, y);
    return true;
}

} // namespace gui
