#pragma once
// A line of text over the parent's picture.
#include <string>

#include "gui/TWGuiObject.h"
#include "images/Font.h"

class DemoLabel : public TWGuiObject
{
public:
    DemoLabel(const Font* font, ColourRef colour, int width, int height);
    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }
    void Draw(const Rect& r) override;
    void OnTimer(void*) override {}

private:
    const Font* font_;
    ColourRef colour_;
    std::string text_;
};
