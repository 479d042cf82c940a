#include "editor/GuiSlider.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "editor/EditorEvents.h"
#include "gui/TWGuiWindow.h"
#include "images/CCanvas.h"

namespace editor
{

using gui::TWGuiWindow;
using images::CCanvas;
using images::CImage;
using platform::Rect;

GuiSlider::GuiSlider(int32_t controlId, const char* skinItem, gui::ImageManager* imageCache,
                     gui::CSkin* sharedSkin, int event)
    : TWGuiControl(controlId, imageCache, sharedSkin), eventId(event)
{
    const std::string name = skinItem ? skinItem : "";
    base.acquire(sharedSkin, imageCache, (name + "-base").c_str());
    knob.acquire(sharedSkin, imageCache, (name + "-slider").c_str());
    knobHover.acquire(sharedSkin, imageCache, (name + "-slider-hi").c_str());
    if (base.get() && knob.get())
    {
        SetSize(base.get()->GetWidth(), knob.get()->GetHeight());
        baseOffset = (knob.get()->GetHeight() - base.get()->GetHeight()) / 2;
    }
    SetTransparent(true);
}

int GuiSlider::step() const
{
    if (!base.get() || !knob.get() || maximum <= 0.0)
        return 0;
    const int track = base.get()->GetWidth() - knob.get()->GetWidth() - 2 * kMargin;
    const int pixels = track > 0 ? static_cast<int>(track / maximum) : 0;
    return std::max(pixels, 0);
}

int GuiSlider::knobLeft() const
{
    return static_cast<int>(value * step()) + kMargin;
}

Rect GuiSlider::knobRect() const
{
    const int left = knobLeft();
    const int widthPx = knob.get() ? knob.get()->GetWidth() : 0;
    return {left, 0, left + widthPx, GetHeight()};
}

void GuiSlider::setMaximum(double newMaximum)
{
    if (newMaximum > 0.0 && std::isfinite(newMaximum))
        maximum = newMaximum;
}

void GuiSlider::setValue(double newValue)
{
    if (!(newValue >= 0.0 && newValue <= maximum))
        return;
    const Rect before = knobRect();
    value = newValue;
    Redraw(&before);
    const Rect after = knobRect();
    Redraw(&after);
}

bool GuiSlider::holdsCapture() const
{
    const TWGuiWindow* window = GetWindow();
    return window && window->GetCaptureObject() == this;
}

void GuiSlider::notifyValue()
{
    SliderEvent event{GetId(), value};
    NotifyObservers(eventId, &event);
}

void GuiSlider::setHover(bool on)
{
    if (hover == on)
        return;
    hover = on;
    const Rect r = knobRect();
    Redraw(&r);
}

void GuiSlider::setTooltipDelay(unsigned ms)
{
    TWGuiWindow* window = GetWindow();
    if (window && window->GetTooltip())
        window->GetTooltip()->SetShowDelay(ms);
}

void GuiSlider::page(int posX, int posY)
{
    const int unit = step();
    const Rect k = knobRect();
    const int baseHeight = base.get()->GetHeight();
    if (posY < baseOffset || posY > baseOffset + baseHeight)
        return;
    double newValue = pressValue;
    if (posX >= 0 && posX < k.left)
        newValue = pressValue - kPage / unit;
    else if (posX > k.right && posX < GetWidth())
        newValue = pressValue + kPage / unit;
    else
        return;
    const Rect before = knobRect();
    value = std::clamp(newValue, 0.0, maximum);
    notifyValue();
    Redraw(&before);
    const Rect after = knobRect();
    Redraw(&after);
}

bool GuiSlider::OnMouse(int event, int posX, int posY, unsigned)
{
    // Without a track there is nothing to move along: no value could be computed.
    if (step() <= 0)
        return true;
    TWGuiWindow* window = GetWindow();
    switch (event)
    {
    case gui::kMouseLeftDown:
        pressX = posX;
        pressY = posY;
        pressValue = value;
        if (knobRect().Contains(posX, posY))
        {
            if (window)
                window->SetMouseCapture(this, false);
            notifyValue();
        }
        else
        {
            page(posX, posY);
        }
        setTooltipDelay(kDragTooltipDelayMs);
        break;
    case gui::kMouseLeftDoubleClick:
        pressX = posX;
        pressY = posY;
        pressValue = value;
        page(posX, posY);
        break;
    case gui::kMouseMove:
        if (holdsCapture())
        {
            const Rect before = knobRect();
            value = std::clamp(static_cast<double>(posX - pressX) / step() + pressValue, 0.0, maximum);
            Redraw(&before);
            const Rect after = knobRect();
            Redraw(&after);
            notifyValue();
        }
        else
        {
            const Rect k = knobRect();
            setHover(Rect{k.left - 1, 0, k.right, GetHeight()}.Contains(posX, posY));
        }
        break;
    case gui::kMouseEnter:
        if (knobRect().Contains(posX, posY))
            setHover(true);
        break;
    case gui::kMouseLeave:
        if (!holdsCapture())
            setHover(false);
        break;
    case gui::kMouseLeftUp:
    case gui::kMouseLeftUpAfterDoubleClick:
        setHover(knobRect().Contains(posX, posY));
        notifyValue();
        setTooltipDelay(kTooltipDelayMs);
        if (holdsCapture())
            window->ReleaseMouseCapture();
        break;
    default:
        break;
    }
    return true;
}

bool GuiSlider::GetToolTipText(int, int, char* out, size_t size)
{
    std::snprintf(out, size, "%d%%", static_cast<int>(value * 100.0));
    return true;
}

void GuiSlider::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer || !base.get() || !knob.get())
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    canvas.AlphaBlendImage(*base.get(), base.get()->GetRect(), 0, baseOffset);
    const CImage* face = hover && knobHover.get() ? knobHover.get() : knob.get();
    const int track = base.get()->GetWidth() - knob.get()->GetWidth() - 2 * kMargin;
    const int left = static_cast<int>(track * value / maximum) + kMargin;
    canvas.AlphaBlendImage(*face, face->GetRect(), left, 0);
}

} // namespace editor
