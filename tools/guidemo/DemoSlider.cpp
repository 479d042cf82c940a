#include "guidemo/DemoSlider.h"

#include <algorithm>
#include <cstdio>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiWindow.h"
#include "images/CCanvas.h"
#include "platform/native/NativeKeys.h"
#include "resources/StringTable.h"

using namespace platform;

using namespace gui;
using namespace images;

namespace guidemo
{

namespace
{
constexpr int kThumbWidth = 12;
}

DemoSlider::DemoSlider(int32_t controlId, ImageManager* images, CSkin* sharedSkin, int widthPx, int heightPx)
    : TWGuiControl(controlId, images, sharedSkin)
{
    SetSize(widthPx, heightPx);
    SetTransparent(true);
    SkinItemDefinition definition;
    if (sharedSkin && sharedSkin->Resolve("Slider Track", definition) && definition.kind == kSkinSolidColour)
        track = definition.colour;
    if (sharedSkin && images && sharedSkin->Resolve("Slider Thumb", definition))
    {
        thumb = images->Get(definition.fileName.c_str());
        if (thumb)
            thumbFile = thumb->GetFileName();
    }
}

DemoSlider::~DemoSlider()
{
    if (GetImageManager())
        GetImageManager()->Release(thumbFile.c_str());
}

int DemoSlider::ThumbLeft() const
{
    return value * (GetWidth() - kThumbWidth) / 100;
}

int DemoSlider::ValueAt(int posX) const
{
    const int span = std::max(1, GetWidth() - kThumbWidth);
    return std::clamp((posX - kThumbWidth / 2) * 100 / span, 0, 100);
}

void DemoSlider::SetValue(int newValue)
{
    newValue = std::clamp(newValue, 0, 100);
    if (value == newValue)
        return;
    value = newValue;
    Redraw();
    NotifyObservers(kChanged, this);
}

void DemoSlider::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    const int mid = GetHeight() / 2;
    canvas.FillRect({kThumbWidth / 2, mid - 2, GetWidth() - kThumbWidth / 2, mid + 2}, track);
    if (thumb)
        canvas.AlphaBlendImage(*thumb, thumb->GetRect(), ThumbLeft(), (GetHeight() - thumb->GetHeight()) / 2);
}

bool DemoSlider::OnMouse(int event, int posX, int, unsigned)
{
    TWGuiWindow* window = GetWindow();
    switch (event)
    {
    case kMouseLeftDown:
        dragging = true;
        if (window)
        {
            window->SetMouseCapture(this, false);
            // While dragging, the value follows the pointer without delay.
            if (window->GetTooltip())
                window->GetTooltip()->SetShowDelay(1);
        }
        SetValue(ValueAt(posX));
        return true;
    case kMouseMove:
        if (dragging)
            SetValue(ValueAt(posX));
        return true;
    case kMouseLeftUp:
        dragging = false;
        if (window)
        {
            window->ReleaseMouseCapture();
            if (window->GetTooltip())
                window->GetTooltip()->SetShowDelay(500);
        }
        return true;
    default:
        return true;
    }
}

bool DemoSlider::OnKey(int event, int virtualKey, unsigned modifiers)
{
    if (event != kKeyDown || (virtualKey != kVkLeft && virtualKey != kVkRight))
        return false;
    const int step = (modifiers & 4) ? 10 : 1; // Shift takes big steps
    SetValue(value + (virtualKey == kVkRight ? step : -step));
    return true;
}

bool DemoSlider::GetToolTipText(int, int, char* out, size_t size)
{
    char format[64];
    resources::StringTableLookup("Demo Volume Tooltip", format, sizeof format);
    std::snprintf(out, size, "%s: %d", format, value);
    return true;
}

} // namespace guidemo
