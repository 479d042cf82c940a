#include "gui/TWImageContainer.h"

#include <cstdlib>
#include <new>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CCanvas.h"

using namespace images;
using namespace platform;

namespace gui
{

TWImageContainer::TWImageContainer(const char* itemName, ImageManager* imageCache, CSkin* sharedSkin,
                                   int widthPx, int heightPx, bool scaleToFit)
    : imageManager(imageCache), skin(sharedSkin), scale(scaleToFit)
{
    SetSize(widthPx, heightPx);
    SkinItemDefinition definition;
    if (skin && skin->Resolve(itemName, definition))
        Acquire(definition);
    if ((widthPx == 0 || heightPx == 0) && image)
        SetSize(image->GetWidth(), std::abs(image->GetHeight()));
}

TWImageContainer::~TWImageContainer()
{
    ReleaseImage();
}

void TWImageContainer::Acquire(const SkinItemDefinition& definition)
{
    // A tiled file of a sized container is tiled over it, so it is rendered like the other kinds.
    const bool shared = definition.kind == kSkinImageFile ||
                        (definition.kind == kSkinTiledFile && (GetWidth() <= 0 || GetHeight() <= 0));
    if (shared)
    {
        if (!imageManager)
            return;
        image = imageManager->Get(definition.fileName.c_str());
        if (!image)
            return;
        fileName = image->GetFileName();
        if (scale && GetWidth() > 0 && GetHeight() > 0 &&
            (image->GetWidth() != GetWidth() || image->GetHeight() != GetHeight()))
        {
            // Scaling the shared image would change it for every other holder: scale a copy instead.
            auto* scaled = new (std::nothrow) CImage(*image);
            imageManager->Release(fileName.c_str());
            fileName.clear();
            image = nullptr;
            if (!scaled || !scaled->Resize(GetWidth(), GetHeight()))
            {
                delete scaled;
                return;
            }
            image = scaled;
            ownsImage = true;
        }
        return;
    }
    if (GetWidth() <= 0 || GetHeight() <= 0)
        return;
    auto* rendered = new (std::nothrow) CImage();
    if (!rendered || !skin->Render(definition, GetWidth(), GetHeight(), *rendered))
    {
        delete rendered;
        return;
    }
    image = rendered;
    ownsImage = true;
}

void TWImageContainer::ReleaseImage()
{
    if (ownsImage)
        delete image;
    else if (image && imageManager)
        imageManager->Release(fileName.c_str());
    image = nullptr;
    ownsImage = false;
    fileName.clear();
}

void TWImageContainer::SetImage(const char* itemName)
{
    SkinItemDefinition definition;
    if (!skin || !skin->Resolve(itemName, definition))
        return;
    ReleaseImage();
    Acquire(definition);
    Redraw(nullptr);
}

void TWImageContainer::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!image || !buffer)
        return;
    const Rect area = Intersect(r, image->GetRect());
    if (area.IsEmpty())
        return;
    CCanvas canvas(*buffer, ToWindowRect(area), {GetAbsX(), GetAbsY()});
    if (IsTransparent())
        canvas.AlphaBlendImage(*image, area, area.left, area.top);
    else
        canvas.DrawImage(*image, area, area.left, area.top);
}

} // namespace gui
