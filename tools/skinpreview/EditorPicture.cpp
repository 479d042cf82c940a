#include "skinpreview/EditorPicture.h"

#include <cstring>

using namespace gui;
using namespace images;

namespace skinpreview
{
namespace
{
constexpr ColourRef kCaptionColour = 0xe1e2e3;
} // namespace

EditorPicture::EditorPicture(CSkin& skinFile, ImageManager& imageManager)
    : skin(skinFile), images(imageManager), keyboard(skinFile, imageManager),
      font(Font::Create("Verdana", 12))
{
}

Rect EditorPicture::place(CImage& out, const std::string& item, int x, int y, bool blend)
{
    SkinItemDefinition definition;
    CImage* image = nullptr;
    if (skin.Resolve(item.c_str(), definition) &&
        (definition.kind == kSkinImageFile || definition.kind == kSkinTiledFile))
        image = images.Get(definition.fileName.c_str());
    if (!image)
    {
        missingItems += item + "\n";
        return {};
    }
    if (blend)
        out.AlphaBlendRect(*image, image->GetRect(), x, y);
    else
        out.CopyRect(*image, image->GetRect(), x, y);
    const Rect placed = image->GetRect().Offset(x, y);
    images.Release(image->GetFileName());
    return placed;
}

void EditorPicture::placeSlider(CImage& out, const std::string& item, int x, int y, double value,
                                double maximum)
{
    SkinItemDefinition baseItem;
    SkinItemDefinition knobItem;
    skin.Resolve((item + "-base").c_str(), baseItem);
    skin.Resolve((item + "-slider").c_str(), knobItem);
    CImage* base = images.Get(baseItem.fileName.c_str());
    CImage* knob = images.Get(knobItem.fileName.c_str());
    if (base && knob)
    {
        const int baseOffset = (knob->GetHeight() - base->GetHeight()) / 2;
        out.AlphaBlendRect(*base, base->GetRect(), x, y + baseOffset);
        const int knobLeft =
            static_cast<int>((base->GetWidth() - knob->GetWidth() - 20) * value / maximum) + 10;
        out.AlphaBlendRect(*knob, knob->GetRect(), x + knobLeft, y);
    }
    else
        missingItems += item + "\n";
    if (base)
        images.Release(base->GetFileName());
    if (knob)
        images.Release(knob->GetFileName());
}

void EditorPicture::placeCaption(CImage& out, const std::string& buttonItem, int x, int y, const char* text)
{
    const Rect button = place(out, buttonItem, x, y, true);
    if (button.IsEmpty() || !font)
        return;
    // Left-aligned and vertically centred in the button less 25 pixels at the left and 4 at the foot.
    const Rect caption = {button.left + 25, button.top, button.right, button.bottom - 4};
    const int baseline = caption.top + (caption.Height() - font->GetHeight()) / 2 + font->GetAscent();
    font->DrawLine(out, text, std::strlen(text), caption.left, baseline, kCaptionColour, caption);
}

void EditorPicture::draw(const EditorState& state, CImage& out)
{
    out.Create(kWidth, kHeight, 24);
    missingItems.clear();
    place(out, "Piano-" + std::to_string(state.lidPosition), 0, 0, false);
    place(out, std::string("Lid Up Button-") + (state.lidPosition == 3 ? "3" : "0"), 730, 23, true);
    place(out, std::string("Lid Down Button-") + (state.lidPosition == 0 ? "3" : "0"), 760, 23, true);
    place(out, "Help Button-0", 753, 63, true);
    if (keyboard.loaded())
        keyboard.draw(out, 76, 256, state.held);
    else
        missingItems += "Piano Keys Up Prefix\n";
    place(out,
          std::string("Pedals-") + (state.softDown ? "Down" : "Up") + (state.sustainDown ? "Down" : "Up"),
          354, 433, false);

    place(out, "Control Panel", 0, 492, false);
    placeSlider(out, "Slider", 43, 492 + 25, 0.5, 1.0);
    place(out, "Adjust Button-0", 215, 492 + 24, true);
    placeSlider(out, "SliderShort", 381, 492 + 25, 0.3, 1.0);
    placeCaption(out, "Dropdown-0", 481, 492 + 25, "MediumHall");
    placeSlider(out, "Slider", 625, 492 + 25, 0.5, 1.0);

    if (state.toneDialog)
    {
        const int x = 200;
        const int y = 50;
        place(out, "Tone Controls", x, y, false);
        place(out, "Dialog Close-0", x + 365, y + 10, true);
        placeCaption(out, "Dialog Dropdown-0", x + 233, y + 48, "Normal");
        placeSlider(out, "Slider", x + 230, y + 110, 0.5, 1.0);
        placeSlider(out, "Slider", x + 230, y + 180, 0.2, 1.0);
        placeSlider(out, "SliderSmall", x + 32, y + 305, 1.3, 2.0);
        placeSlider(out, "SliderSmall", x + 148, y + 305, 1.0, 2.0);
        placeSlider(out, "SliderSmall", x + 260, y + 305, 0.8, 2.0);
    }
}
} // namespace skinpreview
