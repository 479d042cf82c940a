#pragma once
// The soft (left) and sustain (right) pedals: one skin picture for each of the four combinations
// ("<name>-UpUp", "-DownUp", "-UpDown", "-DownDown": soft first). Each click toggles the pedal under
// the pointer and sends its new state. Used on the user-interface thread.
#include <cstdint>
#include <string>

#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiControl.h"
#include "platform/Rect.h"

namespace editor
{

class GuiPedals : public gui::TWGuiControl
{
public:
    GuiPedals(int32_t controlId, const char* skinItem, gui::ImageManager* imageCache, gui::CSkin* sharedSkin);

    void setSoft(bool down);
    void setSustain(bool down);
    bool isSoft() const { return soft != 0; }
    bool isSustain() const { return sustain != 0; }

    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;
    bool GetToolTipText(int posX, int posY, char* out, size_t size) override;

private:
    void loadPicture();

    uint8_t soft = 0;
    uint8_t sustain = 0;
    std::string name;
    SkinImageHold picture;
};

} // namespace editor
