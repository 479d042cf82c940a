#pragma once
// A horizontal slider 0..100: a solid track and a thumb picture from the skin. Dragging captures
// the mouse (moves outside the window keep arriving) and shows the value as a live tooltip.
// Tells its observers event 1001 with its id on every change.
#include <string>

#include "gui/TWGuiControl.h"
#include "images/Colour.h"

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

    DemoSlider(int32_t id, gui::ImageManager* images, gui::CSkin* skin, int width, int height);
    ~DemoSlider() override;

    int GetValue() const { return value_; }
    void SetValue(int value);
    void Draw(const images::Rect& r) override;
    bool OnMouse(int event, int x, int y, unsigned keyState) override;
    bool OnKey(int event, int virtualKey, unsigned modifiers) override;
    bool GetToolTipText(int x, int y, char* out, size_t size) override;

private:
    int ThumbLeft() const;
    int ValueAt(int x) const;

    images::CImage* thumb_ = nullptr;
    std::string thumbFile;
    images::ColourRef track_ = 0x202020;
    int value_ = 50;
    bool dragging_ = false;
};

} // namespace guidemo
