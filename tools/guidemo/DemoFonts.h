#pragma once
// The demo's fonts, opened once and shared by its controls.
#include "images/Font.h"

class DemoFonts
{
public:
    static const Font* Caption();
    static const Font* Title();
};
