#include "guidemo/DemoFonts.h"

#include <memory>

using namespace images;

namespace guidemo
{

const Font* DemoFonts::Caption()
{
    static const std::unique_ptr<Font> font = Font::Create("Verdana", 13);
    return font.get();
}

const Font* DemoFonts::Title()
{
    static const std::unique_ptr<Font> font = Font::Create("Verdana", 18);
    return font.get();
}

} // namespace guidemo
