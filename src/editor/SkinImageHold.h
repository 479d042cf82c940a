#pragma once
// One hold on a skin image from the shared image manager, given back when the hold ends.
// Used on the user-interface thread.
#include <string>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"

namespace editor
{

class SkinImageHold
{
public:
    SkinImageHold() = default;
    ~SkinImageHold() { release(); }
    SkinImageHold(const SkinImageHold&) = delete;
    SkinImageHold& operator=(const SkinImageHold&) = delete;

    // Resolves the item to an image file and takes the file's image; false (holding nothing) when the
    // item is missing, is no image file or the file does not load.
    bool acquire(gui::CSkin* skin, gui::ImageManager* manager, const char* itemName);
    bool acquireFile(gui::ImageManager* manager, const std::string& fileName);
    void release();
    const images::CImage* get() const { return image; }
    // The resolved file name of an item's image, "" when it has none.
    static std::string itemFile(gui::CSkin* skin, const char* itemName);

private:
    gui::ImageManager* manager = nullptr;
    images::CImage* image = nullptr;
    std::string fileName;
};

} // namespace editor
