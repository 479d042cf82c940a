#pragma once
// A line of text over the parent's picture.
#include <string>

#include "gui/TWGuiObject.h"
#include "images/Font.h"

namespace guidemo
{

class DemoLabel : public gui::TWGuiObject
{
public:
    DemoLabel(const images::Font* labelFont, platform::ColourRef textColour, int widthPx, int heightPx);
    void SetText(const std::string& newText);
    const std::string& GetText() const { return text; }
    void Draw(const platform::Rect& r) override;
    void OnTimer(void*) override {}

private:
    const images::Font* font;
    platform::ColourRef colour;
    std::string text;
};

} // namespace guidemo
