#include "gui/TWImageContainer.h"

#include <cstdlib>
#include <new>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CCanvas.h"

using namespace images;

namespace gui
{

TWImageContainer::TWImageContainer(const char* itemName, ImageManager* imageManager, CSkin* skin, int width,
                                   int height, bool scale)
    : imageManager_(imageManager), skin_(skin), scale_(scale)
{
    SetSize(width, height);
    SkinItemDefinition definition;
    if (skin_ && skin_->Resolve(itemName, definition))
        Acquire(definition);
    if ((width == 0 || height == 0) && image_)
        SetSize(image_->GetWidth(), std::abs(image_->GetHeight()));
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
        if (!imageManager_)
            return;
        image_ = imageManager_->Get(definition.fileName.c_str());
        if (!image_)
            return;
        fileName = image_->GetFileName();
        if (scale_ && GetWidth() > 0 && GetHeight() > 0 &&
            (image_->GetWidth() != GetWidth() || image_->GetHeight() != GetHeight()))
        {
            // Scaling the shared image would change it for every other holder: scale a copy instead.
            auto* scaled = new (std::nothrow) CImage(*image_);
            imageManager_->Release(fileName.c_str());
            fileName.clear();
            image_ = nullptr;
            if (!scaled || !scaled->Resize(GetWidth(), GetHeight()))
            {
                delete scaled;
                return;
            }
            image_ = scaled;
            ownsImage = true;
        }
        return;
    }
    if (GetWidth() <= 0 || GetHeight() <= 0)
        return;
    auto* rendered = new (std::nothrow) CImage();
    if (!rendered || !skin_->Render(definition, GetWidth(), GetHeight(), *rendered))
    {
        delete rendered;
        return;
    }
    image_ = rendered;
    ownsImage = true;
}

void TWImageContainer::ReleaseImage()
{
    if (ownsImage)
        delete image_;
    else if (image_ && imageManager_)
        imageManager_->Release(fileName.c_str());
    image_ = nullptr;
    ownsImage = false;
    fileName.clear();
}

void TWImageContainer::SetImage(const char* itemName)
{
    SkinItemDefinition definition;
    if (!skin_ || !skin_->Resolve(itemName, definition))
        return;
    ReleaseImage();
    Acquire(definition);
    Redraw(nullptr);
}

void TWImageContainer::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!image_ || !buffer)
        return;
    const Rect area = Intersect(r, image_->GetRect());
    if (area.IsEmpty())
        return;
    CCanvas canvas(*buffer, ToWindowRect(area), {GetAbsX(), GetAbsY()});
    if (IsTransparent())
        canvas.AlphaBlendImage(*image_, area, area.left, area.top);
    else
        canvas.DrawImage(*image_, area, area.left, area.top);
}

} // namespace gui
