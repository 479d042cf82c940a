#pragma once
// A container that paints a skin texture behind its children: a solid colour, an image file tiled
// from the panel's corner, or any other item rendered as a strip of the texture width and tiled.
// Used on the user-interface thread.
#include <string>

#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiContainer.h"
#include "images/CImage.h"
#include "platform/Rect.h"

namespace editor
{

class GuiTexturePanel : public gui::TWGuiContainer
{
public:
    GuiTexturePanel(const char* skinItem, platform::ColourRef tintColour, int tintAmount, int widthPx,
                    int heightPx, gui::ImageManager* imageManager, gui::CSkin* skin, int textureWidth);

    bool isSolid() const { return solid; }
    const images::CImage* texture() const
    {
        return shared.get() ? shared.get() : rendered.IsValid() ? &rendered : nullptr;
    }
    void Draw(const platform::Rect& r) override;

private:
    void tint(platform::ColourRef colour, int amount);

    std::string skinItem;
    gui::SkinItemDefinition definition;
    bool solid = false;
    platform::ColourRef colour = 0;
    SkinImageHold shared;
    images::CImage rendered;
};

} // namespace editor
