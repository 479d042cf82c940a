#include "editor/GuiTexturePanel.h"
#include "images/CCanvas.h"

#include <algorithm>

namespace editor
{

using images::CCanvas;
using images::CImage;
using platform::Rect;

GuiTexturePanel::GuiTexturePanel(const char* item, platform::ColourRef tintColour, int tintAmount,
                                 int widthPx, int heightPx, gui::ImageManager* imageManager, gui::CSkin* skin,
                                 int textureWidth)
    : skinItem(item ? item : "")
{
    SetSize(widthPx, heightPx);
    if (skin)
        skin->Resolve(skinItem.c_str(), definition);
    else
        gui::CSkin().GetDefaultDefinition(definition);
    if (definition.kind == gui::kSkinSolidColour)
    {
        solid = true;
        colour = definition.colour;
        return;
    }
    if (definition.kind == gui::kSkinImageFile)
        shared.acquireFile(imageManager, definition.fileName);
    else if (skin)
        skin->Render(definition, std::max(textureWidth, 1), heightPx, rendered);
    if (tintAmount != 0 && rendered.IsValid())
        tint(tintColour, tintAmount);
}

void GuiTexturePanel::tint(platform::ColourRef tintColour, int amount)
{
    CImage wash;
    if (!wash.Create(rendered.GetWidth(), rendered.GetHeight()))
        return;
    wash.Fill(tintColour);
    rendered.BlendRect(wash, wash.GetRect(), 0, 0, std::clamp(amount, 0, 100));
}

void GuiTexturePanel::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    if (solid)
    {
        canvas.FillRect(r, colour);
        return;
    }
    const CImage* tile = texture();
    if (!tile)
        return;
    const int w = tile->GetWidth();
    const int h = tile->GetHeight();
    // Tiles are fixed to the panel's corner, so any part repaints to the same picture.
    for (int posY = (r.top / h) * h; posY < r.bottom; posY += h)
        for (int posX = (r.left / w) * w; posX < r.right; posX += w)
        {
            if (IsTransparent())
                canvas.AlphaBlendImage(*tile, tile->GetRect(), posX, posY);
            else
                canvas.DrawImage(*tile, tile->GetRect(), posX, posY);
        }
}

} // namespace editor
