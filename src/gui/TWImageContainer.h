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
    TWImageContainer(const char* itemName, ImageManager* imageManager, CSkin* skin, int width, int height,
                     bool scale);
    ~TWImageContainer() override;

    // Shows another item; nothing changes when it does not resolve.
    void SetImage(const char* itemName);
    const images::CImage* GetImage() const { return image_; }
    bool OwnsImage() const { return ownsImage; }
    void Draw(const images::Rect& r) override;

private:
    void Acquire(const SkinItemDefinition& definition);
    void ReleaseImage();

    ImageManager* imageManager_;
    CSkin* skin_;
    images::CImage* image_ = nullptr;
    bool ownsImage = false;
    bool scale_;
    std::string fileName; // the manager's key for a shared image
};

} // namespace gui
