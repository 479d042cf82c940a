#include "editor/GuiButton.h"

#include <cstdio>

#include "editor/EditorEvents.h"
#include "gui/TWGuiWindow.h"
#include "images/CCanvas.h"
#include "platform/Platform.h"
#include "platform/native/NativeWindow.h"
#include "resources/StringTable.h"

namespace editor
{

using gui::TWGuiWindow;
using images::CCanvas;
using images::CImage;
using platform::Rect;

namespace
{
constexpr size_t kMaxText = 256;

std::string translate(const char* key)
{
    if (!key || !*key)
        return {};
    char text[kMaxText];
    resources::StringTableLookup(key, text, sizeof text);
    return text;
}
} // namespace

GuiButton::GuiButton(int32_t controlId, const char* skinItem, const char* captionKey, const char* tooltipKey,
                     gui::ImageManager* imageCache, gui::CSkin* sharedSkin, int event, int32_t buttonFlags)
    : TWGuiControl(controlId, imageCache, sharedSkin), eventId(event), flags(buttonFlags),
      skinName(skinItem ? skinItem : ""), caption(translate(captionKey)), tooltip(translate(tooltipKey))
{
    UseSimpleDirty();
    for (int i = 0; i < 4; ++i)
    {
        char item[kMaxText + 8];
        std::snprintf(item, sizeof item, "%s-%d", skinName.c_str(), i);
        stateImages[i].acquire(sharedSkin, imageCache, item);
    }
    if (const CImage* normal = stateImages[kStateNormal].get())
        SetSize(normal->GetWidth(), normal->GetHeight());
    for (Rect& r : captionRects)
        r = GetLocalRect();
}

void GuiButton::setCaptionColour(platform::ColourRef colour, int forState)
{
    for (int i = 0; i < 4; ++i)
        if (forState == kAllStates || forState == i)
            captionColours[i] = colour;
}

void GuiButton::setCaptionRect(const Rect& r, int forState)
{
    for (int i = 0; i < 4; ++i)
        if (forState == kAllStates || forState == i)
            captionRects[i] = r;
}

void GuiButton::setCaptionText(const char* key)
{
    caption = translate(key);
}

void GuiButton::Enable()
{
    if (enabled)
        return;
    enabled = true;
    setState(kStateNormal);
}

void GuiButton::Disable()
{
    if (!enabled)
        return;
    enabled = false;
    setState(kStateDisabled);
}

void GuiButton::setState(int newState)
{
    if (newState == state)
        return;
    if (stateImages[state].get() && stateImages[newState].get())
    {
        fading = true;
        fadeStart = platform::GetTickCount();
        fadeFrom = state;
    }
    state = newState;
    Redraw();
}

bool GuiButton::holdsCapture() const
{
    const TWGuiWindow* window = GetWindow();
    return window && window->GetCaptureObject() == this;
}

void GuiButton::press()
{
    setState(kStatePressed);
    if (TWGuiWindow* window = GetWindow())
        window->SetMouseCapture(this, false);
}

void GuiButton::releaseAt(int posX, int posY)
{
    if (holdsCapture())
        GetWindow()->ReleaseMouseCapture();
    if (state != kStatePressed)
        return;
    if (!GetLocalRect().Contains(posX, posY))
    {
        setState(kStateNormal);
        return;
    }
    setState(kStateHover);
    int32_t controlId = GetId();
    NotifyObservers(eventId, &controlId);
}

bool GuiButton::OnMouse(int event, int posX, int posY, unsigned keyState)
{
    if (state == kStateDisabled)
        return true;
    TWGuiWindow* window = GetWindow();
    switch (event)
    {
    case gui::kMouseEnter:
        if (window && !window->GetCaptureObject())
        {
            setState(kStateHover);
            window->SetMouseCapture(this, true);
            window->SetCursor(platform::NativeCursor::kArrow);
        }
        break;
    case gui::kMouseMove:
        if (holdsCapture() && state != kStatePressed && !GetLocalRect().Contains(posX, posY))
        {
            window->ReleaseMouseCapture();
            setState(kStateNormal);
        }
        break;
    case gui::kMouseLeave:
        if (holdsCapture())
            window->ReleaseMouseCapture();
        setState(kStateNormal);
        break;
    case gui::kMouseLeftDown:
    case gui::kMouseLeftDoubleClick:
        press();
        break;
    case gui::kMouseLeftUp:
    case gui::kMouseLeftUpAfterDoubleClick:
        releaseAt(posX, posY);
        break;
    case gui::kMouseRightDown:
        if (flags != 0)
            press();
        break;
    case gui::kMouseRightUp:
        if (flags != 0)
            releaseAt(posX, posY);
        break;
    default:
        break;
    }
    return true;
}

bool GuiButton::GetToolTipText(int, int, char* out, size_t size)
{
    if (tooltip.empty())
        return false;
    std::snprintf(out, size, "%s", tooltip.c_str());
    return true;
}

void GuiButton::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    const CImage* image = stateImages[state].get();
    if (!image)
    {
        image = stateImages[kStateNormal].get();
        fading = false;
    }
    if (fading && platform::GetTickCount() - fadeStart >= kFadeMs)
        fading = false;
    const CImage* from = stateImages[fadeFrom].get();
    if (fading && image && from)
    {
        const uint32_t elapsed = platform::GetTickCount() - fadeStart;
        canvas.AlphaBlendImage(*from, from->GetRect(), 0, 0);
        canvas.AlphaBlendImage(*image, image->GetRect(), 0, 0, static_cast<int>(elapsed * 100 / kFadeMs));
        if (TWGuiWindow* window = GetWindow())
            window->PostRedraw(this, GetLocalRect());
    }
    else if (image)
    {
        canvas.AlphaBlendImage(*image, image->GetRect(), 0, 0);
    }
    if (drawCaption)
        DrawCaption(r);
}

void GuiButton::DrawCaption(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer || !font || caption.empty())
        return;
    const Rect& box = captionRects[state];
    const Rect area = platform::Intersect(r, box);
    if (area.IsEmpty())
        return;
    CCanvas canvas(*buffer, ToWindowRect(area), {GetAbsX(), GetAbsY()});
    canvas.SetTextColour(captionColours[state]);
    canvas.DrawText(*font, caption.c_str(), box, captionFormat);
}

} // namespace editor
