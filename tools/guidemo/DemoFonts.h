#pragma once
// The demo's fonts, opened once and shared by its controls.
#include "images/Font.h"

namespace guidemo
{

class DemoFonts
{
public:
    static const images::Font* Caption();
    static const images::Font* Title();
};

} // namespace guidemo
