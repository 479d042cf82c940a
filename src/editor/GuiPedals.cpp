#include "editor/GuiPedals.h"

#include <cstdio>

#include "editor/EditorEvents.h"
#include "images/CCanvas.h"
#include "resources/StringTable.h"

namespace editor
{

using images::CCanvas;
using images::CImage;
using platform::Rect;

namespace
{
constexpr size_t kMaxName = 256;
constexpr size_t kMaxTooltip = 64;
} // namespace

GuiPedals::GuiPedals(int32_t controlId, const char* skinItem, gui::ImageManager* imageCache,
                     gui::CSkin* sharedSkin)
    : TWGuiControl(controlId, imageCache, sharedSkin), name(skinItem ? skinItem : "")
{
    if (name.size() >= kMaxName)
        name.resize(kMaxName - 1);
    loadPicture();
}

void GuiPedals::loadPicture()
{
    const std::string item = name + "-" + (soft ? "Down" : "Up") + (sustain ? "Down" : "Up");
    picture.acquire(GetSkin(), GetImageManager(), item.c_str());
    if (const CImage* image = picture.get())
        SetSize(image->GetWidth(), image->GetHeight());
    Redraw();
}

void GuiPedals::setSoft(bool down)
{
    if (soft == (down ? 1 : 0))
        return;
    soft = down ? 1 : 0;
    loadPicture();
}

void GuiPedals::setSustain(bool down)
{
    if (sustain == (down ? 1 : 0))
        return;
    sustain = down ? 1 : 0;
    loadPicture();
}

bool GuiPedals::OnMouse(int event, int posX, int, unsigned)
{
    if (event != gui::kMouseLeftDown && event != gui::kMouseLeftDoubleClick)
        return true;
    if (posX >= GetWidth() / 2)
    {
        setSustain(!sustain);
        int state = sustain;
        NotifyObservers(kEventSustain, &state);
    }
    else
    {
        setSoft(!soft);
        int state = soft;
        NotifyObservers(kEventSoft, &state);
    }
    return true;
}

bool GuiPedals::GetToolTipText(int posX, int, char* out, size_t size)
{
    char text[kMaxTooltip];
    resources::StringTableLookup(posX >= GetWidth() / 2 ? "Sustain Pedal Tooltip" : "Soft Pedal Tooltip",
                                 text, sizeof text);
    std::snprintf(out, size, "%s", text);
    return true;
}

void GuiPedals::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    const CImage* image = picture.get();
    if (!buffer || !image)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    canvas.DrawImage(*image, image->GetRect(), 0, 0);
}

} // namespace editor
