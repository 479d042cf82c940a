#pragma once
// The on-screen 88-key keyboard: two halves of 44 keys, each key a half-sized skin image that is
// transparent outside the key. Presses, drags (a glissando) and releases become key-down and key-up
// events; keys held by MIDI are copied in by the editor's refresh. A key the mouse holds is always
// let go with a key-up, also when the mouse capture is lost or the keyboard goes away.
// Used on the user-interface thread.
#include <cstdint>

#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiControl.h"
#include "images/CCanvas.h"
#include "platform/Rect.h"

namespace editor
{

class GuiKeys : public gui::TWGuiControl
{
public:
    static constexpr int kKeyCount = 88;
    static constexpr int kHalfKeys = 44;
    // Alpha at or below this is a gap between keys.
    static constexpr int kAlphaThreshold = 20;
    // White keys are drawn again from this row down, over the black keys' shadows.
    static constexpr int kWhiteLowerRow = 43;
    static constexpr int kDefaultWidth = 500;
    static constexpr int kDefaultHeight = 200;

    struct Key
    {
        SkinImageHold up;
        SkinImageHold down;
        uint8_t black = 0;
        uint8_t held = 0;
        uint8_t dirty = 1;
    };

    GuiKeys(int32_t controlId, const char* skinItem, gui::ImageManager* imageCache, gui::CSkin* sharedSkin);
    ~GuiKeys() override;

    // The key under a point of the keyboard, -1 for none.
    int hitTest(int posX, int posY) const;
    // Marks every key for repainting and redraws (the picture behind the keys changed).
    void markAllDirty();
    Key& key(int index) { return keys[index]; }
    bool isMouseDown() const { return mouseDown != 0; }
    int getCurrentKey() const { return currentKey; }
    // Lets go of the key the mouse holds (sends its key-up); nothing when none is held.
    void releaseMouseKey();

    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;

private:
    void loadImages();
    void press(int index);
    void drawKey(images::CCanvas& canvas, int index, int left, int firstRow) const;

    Key keys[kKeyCount];
    int halfWidth = 0;
    uint8_t mouseDown = 0;
    int16_t currentKey = 0;
};

} // namespace editor
