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
    DemoLabel(const images::Font* font, platform::ColourRef colour, int widthPx, int heightPx);
    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }
    void Draw(const platform::Rect& r) override;
    void OnTimer(void*) override {}

private:
    const images::Font* font_;
    platform::ColourRef colour_;
    std::string text_;
};

} // namespace guidemo
