#pragma once
// A push button of the demo: a skin picture for rest and one for hover, a caption, a tooltip.
// Tells its observers event 1000 with its id when clicked (pressed and released over it).
#include <string>

#include "gui/TWGuiControl.h"

namespace images
{
class CImage;
}

namespace guidemo
{

class DemoButton : public gui::TWGuiControl
{
public:
    static constexpr int kClicked = 1000;

    DemoButton(int32_t controlId, gui::ImageManager* images, gui::CSkin* sharedSkin, const char* item,
               const char* hotItem, const char* captionStringKey, const char* tooltipStringKey);
    ~DemoButton() override;

    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;
    bool GetToolTipText(int posX, int posY, char* out, size_t size) override;

private:
    images::CImage* Acquire(const char* item, std::string& fileName);

    images::CImage* image = nullptr;
    images::CImage* hotImage = nullptr;
    std::string imageFile;
    std::string hotImageFile;
    std::string captionKey;
    std::string tooltipKey;
    bool hot = false;
    bool pressed = false;
};

} // namespace guidemo
