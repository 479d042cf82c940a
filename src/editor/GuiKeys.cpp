#include "editor/GuiKeys.h"

#include <cstdio>
#include <cstdlib>
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

namespace
{
bool isBlack(int index)
{
    const int n = index % 12;
    return n == 1 || n == 4 || n == 6 || n == 9 || n == 11;
}

// The file name with its last two characters before the extension cut off: "keys/up00.png" → "keys/up".
std::string prefixOf(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot < 2)
        return {};
    return fileName.substr(0, dot - 2);
}
} // namespace

GuiKeys::GuiKeys(int32_t controlId, const char*, gui::ImageManager* imageCache, gui::CSkin* sharedSkin)
    : TWGuiControl(controlId, imageCache, sharedSkin)
{
    for (int i = 0; i < kKeyCount; ++i)
        keys[i].black = isBlack(i) ? 1 : 0;
    loadImages();
    const CImage* first = keys[0].up.get();
    if (first)
        SetSize(2 * first->GetWidth(), std::abs(first->GetHeight()));
    else
        SetSize(kDefaultWidth, kDefaultHeight);
    halfWidth = GetWidth() / 2;
    Redraw();
}

GuiKeys::~GuiKeys()
{
    releaseMouseKey();
}

void GuiKeys::loadImages()
{
    const std::string up = prefixOf(SkinImageHold::itemFile(GetSkin(), "Piano Keys Up Prefix"));
    const std::string down = prefixOf(SkinImageHold::itemFile(GetSkin(), "Piano Keys Down Prefix"));
    if (up.empty() || down.empty())
        return;
    for (int i = 0; i < kKeyCount; ++i)
    {
        char name[8];
        std::snprintf(name, sizeof name, "%.2i.png", i);
        keys[i].up.acquireFile(GetImageManager(), up + name);
        keys[i].down.acquireFile(GetImageManager(), down + name);
    }
}

int GuiKeys::hitTest(int posX, int posY) const
{
    const bool left = posX < halfWidth;
    const int px = left ? posX : posX - halfWidth;
    for (int n = 0; n < kHalfKeys; ++n)
    {
        const int index = left ? kHalfKeys - 1 - n : kHalfKeys + n;
        const CImage* image = keys[index].up.get();
        // Without an image the keyboard cannot tell its keys apart: it ignores the click.
        if (!image)
            return -1;
        if (image->GetBitsPerPixel() < 32)
            return index;
        if (px < 0 || posY < 0 || px >= image->GetWidth() || posY >= image->GetHeight())
            continue;
        if (static_cast<int>(image->GetPixel(px, posY) >> 24) > kAlphaThreshold)
            return index;
    }
    return -1;
}

void GuiKeys::markAllDirty()
{
    for (Key& k : keys)
        k.dirty = 1;
    Redraw();
    RedrawInParent();
}

void GuiKeys::press(int index)
{
    keys[index].held = 1;
    keys[index].dirty = 1;
    Redraw();
    currentKey = static_cast<int16_t>(index);
    mouseDown = 1;
    if (TWGuiWindow* window = GetWindow())
        window->SetMouseCapture(this, false);
    int data = index;
    NotifyObservers(kEventKeyDown, &data);
}

void GuiKeys::releaseMouseKey()
{
    if (!mouseDown)
        return;
    keys[currentKey].held = 0;
    keys[currentKey].dirty = 1;
    Redraw();
    mouseDown = 0;
    TWGuiWindow* window = GetWindow();
    if (window && window->GetCaptureObject() == this)
        window->ReleaseMouseCapture();
    int data = currentKey;
    NotifyObservers(kEventKeyUp, &data);
}

bool GuiKeys::OnMouse(int event, int posX, int posY, unsigned)
{
    const TWGuiWindow* window = GetWindow();
    // The capture went elsewhere (the window lost the focus): the held note must not sound on.
    if (mouseDown && (!window || window->GetCaptureObject() != this) && event != gui::kMouseLeftDown &&
        event != gui::kMouseLeftDoubleClick)
    {
        releaseMouseKey();
        return true;
    }
    switch (event)
    {
    case gui::kMouseLeftDown:
    case gui::kMouseLeftDoubleClick:
    {
        releaseMouseKey();
        const int index = hitTest(posX, posY);
        if (index >= 0)
            press(index);
        break;
    }
    case gui::kMouseMove:
    {
        if (!mouseDown)
            break;
        const int index = hitTest(posX, posY);
        if (index < 0 || index == currentKey)
            break;
        keys[currentKey].held = 0;
        keys[currentKey].dirty = 1;
        keys[index].held = 1;
        keys[index].dirty = 1;
        Redraw();
        int old = currentKey;
        NotifyObservers(kEventKeyUp, &old);
        currentKey = static_cast<int16_t>(index);
        int data = index;
        NotifyObservers(kEventKeyDown, &data);
        break;
    }
    case gui::kMouseLeftUp:
    case gui::kMouseLeftUpAfterDoubleClick:
        releaseMouseKey();
        break;
    default:
        break;
    }
    return true;
}

void GuiKeys::drawKey(CCanvas& canvas, int index, int left, int firstRow) const
{
    const Key& k = keys[index];
    const CImage* image = k.held && k.down.get() ? k.down.get() : k.up.get();
    if (!image)
        return;
    const int lastRow = k.black || firstRow > 0 ? image->GetHeight() : kWhiteLowerRow;
    const Rect source{0, firstRow, image->GetWidth(), lastRow};
    canvas.AlphaBlendImage(*image, source, left, firstRow);
}

void GuiKeys::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});

    // Left half: from one white key left of the first dirty key up to the middle.
    int leftStart = -1;
    for (int i = 0; i < kHalfKeys && leftStart < 0; ++i)
        if (keys[i].dirty)
            leftStart = i;
    if (leftStart >= 0)
    {
        leftStart = leftStart < 3 ? 0 : leftStart - 1;
        while (leftStart > 0 && keys[leftStart].black)
            --leftStart;
    }
    // Right half: from one white key right of the last dirty key down to the middle.
    int rightEnd = -1;
    for (int i = kKeyCount - 1; i >= kHalfKeys && rightEnd < 0; --i)
        if (keys[i].dirty)
            rightEnd = i;
    if (rightEnd >= 0 && rightEnd < kKeyCount - 2)
    {
        ++rightEnd;
        while (rightEnd < kKeyCount - 1 && keys[rightEnd].black)
            ++rightEnd;
    }
    else if (rightEnd >= 0)
    {
        rightEnd = kKeyCount - 1;
    }

    // Asked to paint with no key marked: the picture beneath was painted over, so every key is drawn.
    if (leftStart < 0 && rightEnd < 0)
    {
        leftStart = 0;
        rightEnd = kKeyCount - 1;
    }

    if (leftStart >= 0)
        for (int i = leftStart; i < kHalfKeys; ++i)
            drawKey(canvas, i, 0, 0);
    if (rightEnd >= 0)
        for (int i = rightEnd; i >= kHalfKeys; --i)
            drawKey(canvas, i, halfWidth, 0);
    if (leftStart >= 0)
        for (int i = leftStart; i < kHalfKeys; ++i)
            if (!keys[i].black)
                drawKey(canvas, i, 0, kWhiteLowerRow);
    if (rightEnd >= 0)
        for (int i = rightEnd; i >= kHalfKeys; --i)
            if (!keys[i].black)
                drawKey(canvas, i, halfWidth, kWhiteLowerRow);

    if (leftStart >= 0)
        for (int i = 0; i < kHalfKeys; ++i)
            keys[i].dirty = 0;
    if (rightEnd >= 0)
        for (int i = kHalfKeys; i < kKeyCount; ++i)
            keys[i].dirty = 0;
}

} // namespace editor
