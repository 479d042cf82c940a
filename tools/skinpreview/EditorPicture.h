#pragma once
// The editor's window (800 × 576) put together from a skin the way the editor draws it: the piano
// picture for a lid position, its buttons, the keyboard with held keys, the pedals, the control panel
// with its sliders, button and drop-down, and optionally the tone controls dialog over the piano.
#include <memory>
#include <string>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"
#include "images/Font.h"
#include "skinpreview/SkinKeyboard.h"

namespace skinpreview
{
struct EditorState
{
    int lidPosition = 3;
    bool held[SkinKeyboard::kKeys] = {};
    bool softDown = false;
    bool sustainDown = false;
    bool toneDialog = false;
};

class EditorPicture
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 576;

    EditorPicture(gui::CSkin& skin, gui::ImageManager& images);

    // Items that did not resolve to a picture while drawing, one per line.
    const std::string& missing() const { return missingItems; }
    void draw(const EditorState& state, images::CImage& out);

private:
    // Draws the item's picture at (x, y), blended or copied; where it went (empty when missing).
    images::Rect place(images::CImage& out, const std::string& item, int x, int y, bool blend);
    void placeSlider(images::CImage& out, const std::string& item, int x, int y, double value,
                     double maximum);
    void placeCaption(images::CImage& out, const std::string& buttonItem, int x, int y, const char* text);

    gui::CSkin& skin;
    gui::ImageManager& images;
    SkinKeyboard keyboard;
    std::unique_ptr<images::Font> font;
    std::string missingItems;
};
} // namespace skinpreview
