#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"

namespace editor
{

std::string SkinImageHold::itemFile(gui::CSkin* skin, const char* itemName)
{
    gui::SkinItemDefinition definition;
    if (!skin || !skin->Resolve(itemName, definition))
        return {};
    if (definition.kind != gui::kSkinImageFile && definition.kind != gui::kSkinTiledFile)
        return {};
    return definition.fileName;
}

bool SkinImageHold::acquire(gui::CSkin* skin, gui::ImageManager* imageManager, const char* itemName)
{
    return acquireFile(imageManager, itemFile(skin, itemName));
}

bool SkinImageHold::acquireFile(gui::ImageManager* imageManager, const std::string& file)
{
    release();
    if (!imageManager || file.empty())
        return false;
    image = imageManager->Get(file.c_str());
    if (!image)
        return false;
    manager = imageManager;
    // The manager keys the image by the name it was loaded under.
    fileName = image->GetFileName();
    return true;
}

void SkinImageHold::release()
{
    if (image && manager)
        manager->Release(fileName.c_str());
    image = nullptr;
    manager = nullptr;
    fileName.clear();
}

} // namespace editor
