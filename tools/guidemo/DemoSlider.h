#pragma once
// A horizontal slider 0..100: a solid track and a thumb picture from the skin. Dragging captures
// the mouse (moves outside the window keep arriving) and shows the value as a live tooltip.
// Tells its observers event 1001 with its id on every change.
#include <string>

#include "gui/TWGuiControl.h"
#include "platform/Colour.h"

namespace images
{
class CImage;
}

namespace guidemo
{

class DemoSlider : public gui::TWGuiControl
{
public:
    static constexpr int kChanged = 1001;

    DemoSlider(int32_t controlId, gui::ImageManager* images, gui::CSkin* sharedSkin, int widthPx,
               int heightPx);
    ~DemoSlider() override;

    int GetValue() const { return value; }
    void SetValue(int newValue);
    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int y, unsigned keyState) override;
    bool OnKey(int event, int virtualKey, unsigned modifiers) override;
    bool GetToolTipText(int posX, int y, char* out, size_t size) override;

private:
    int ThumbLeft() const;
    int ValueAt(int posX) const;

    images::CImage* thumb = nullptr;
    std::string thumbFile;
    platform::ColourRef track = 0x202020;
    int value = 50;
    bool dragging = false;
};

} // namespace guidemo
