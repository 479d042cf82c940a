#pragma once
// A leaf object that the user acts on; it tells the application through its observers.
#include <cstdint>

#include "gui/Observable.h"
#include "gui/TWGuiObject.h"

namespace gui
{

class CSkin;
class ImageManager;

class TWGuiControl : public TWGuiObject, public Observable
{
public:
    TWGuiControl(int32_t controlId, ImageManager* imageCache, CSkin* sharedSkin)
        : id(controlId), imageManager(imageCache), skin(sharedSkin)
    {
    }

    int32_t GetId() const { return id; }
    void OnTimer(void*) override {}

protected:
    ImageManager* GetImageManager() const { return imageManager; }
    CSkin* GetSkin() const { return skin; }

private:
    int32_t id;
    ImageManager* imageManager;
    CSkin* skin;
};

} // namespace gui
