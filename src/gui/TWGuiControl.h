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
    TWGuiControl(int32_t id, ImageManager* imageManager, CSkin* skin)
        : id_(id), imageManager_(imageManager), skin_(skin)
    {
    }

    int32_t GetId() const { return id_; }
    void OnTimer(void*) override {}

protected:
    ImageManager* GetImageManager() const { return imageManager_; }
    CSkin* GetSkin() const { return skin_; }

private:
    int32_t id_;
    ImageManager* imageManager_;
    CSkin* skin_;
};

} // namespace gui
