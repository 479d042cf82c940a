#pragma once
// A container that shows one skin item as its background. Image files come shared from the image
// manager; other kinds (gradients, colours, module bitmaps, files tiled over the container's size)
// are rendered for this container alone.
#include <string>

#include "gui/TWGuiContainer.h"

namespace images
{
class CImage;
}

namespace gui
{

class CSkin;
class ImageManager;
struct SkinItemDefinition;

class TWImageContainer : public TWGuiContainer
{
public:
    // A width or height of 0 sizes the container to the image. With scale the picture is stretched
    // to the container (on a private copy, so other holders of the file keep the original).
    TWImageContainer(const char* itemName, ImageManager* imageCache, CSkin* sharedSkin, int widthPx,
                     int heightPx, bool scaleToFit);
    ~TWImageContainer() override;

    // Shows another item; nothing changes when it does not resolve.
    void SetImage(const char* itemName);
    const images::CImage* GetImage() const { return image; }
    bool OwnsImage() const { return ownsImage; }
    void Draw(const platform::Rect& r) override;

private:
    void Acquire(const SkinItemDefinition& definition);
    void ReleaseImage();

    ImageManager* imageManager;
    CSkin* skin;
    images::CImage* image = nullptr;
    bool ownsImage = false;
    bool scale;
    std::string fileName; // the manager's key for a shared image
};

} // namespace gui
