#include "guidemo/DemoButton.h"

#include <cstdio>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiWindow.h"
#include "guidemo/DemoFonts.h"
#include "images/CCanvas.h"
#include "resources/StringTable.h"

using namespace gui;
using namespace images;
using namespace platform;

namespace guidemo
{

DemoButton::DemoButton(int32_t controlId, ImageManager* images, CSkin* sharedSkin, const char* item,
                       const char* hotItem, const char* captionStringKey, const char* tooltipStringKey)
    : TWGuiControl(controlId, images, sharedSkin), captionKey(captionStringKey), tooltipKey(tooltipStringKey)
{
    // Drawn over the parent's picture: the button's corners are transparent.
    SetTransparent(true);
    image = Acquire(item, imageFile);
    hotImage = Acquire(hotItem, hotImageFile);
    SetSize(image ? image->GetWidth() : 96, image ? image->GetHeight() : 28);
}

DemoButton::~DemoButton()
{
    if (GetImageManager())
    {
        GetImageManager()->Release(imageFile.c_str());
        GetImageManager()->Release(hotImageFile.c_str());
    }
}

CImage* DemoButton::Acquire(const char* item, std::string& fileName)
{
    SkinItemDefinition definition;
    if (!GetSkin() || !GetImageManager() || !GetSkin()->Resolve(item, definition))
        return nullptr;
    CImage* found = GetImageManager()->Get(definition.fileName.c_str());
    if (found)
        fileName = found->GetFileName();
    return found;
}

void DemoButton::Draw(const Rect& r)
{
    CImage* buffer = GetBackBuffer();
    if (!buffer)
        return;
    CCanvas canvas(*buffer, ToWindowRect(r), {GetAbsX(), GetAbsY()});
    const CImage* picture = hot && hotImage ? hotImage : image;
    if (picture)
        canvas.AlphaBlendImage(*picture, picture->GetRect(), 0, pressed ? 1 : 0);
    char caption[128];
    resources::StringTableLookup(captionKey.c_str(), caption, sizeof caption);
    if (const Font* font = DemoFonts::Caption())
    {
        canvas.SetTextColour(0xffffff);
        const Rect box = GetLocalRect().Offset(0, pressed ? 1 : 0);
        canvas.DrawText(*font, caption, box,
                        CCanvas::kTextCentre | CCanvas::kTextVCentre | CCanvas::kTextSingleLine);
    }
}

bool DemoButton::OnMouse(int event, int posX, int posY, unsigned)
{
    const bool inside = GetLocalRect().Contains(posX, posY);
    switch (event)
    {
    case kMouseEnter:
    case kMouseLeave:
        hot = event == kMouseEnter;
        pressed = pressed && hot;
        Redraw();
        return true;
    case kMouseLeftDown:
    case kMouseLeftDoubleClick:
        pressed = true;
        // Leave tracking: pulling the pointer out of the window cancels the press.
        if (TWGuiWindow* window = GetWindow())
            window->SetMouseCapture(this, true);
        Redraw();
        return true;
    case kMouseLeftUp:
    case kMouseLeftUpAfterDoubleClick:
    {
        const bool click = pressed && inside;
        pressed = false;
        if (TWGuiWindow* window = GetWindow(); window && window->GetCaptureObject() == this)
            window->ReleaseMouseCapture();
        Redraw();
        if (click)
            NotifyObservers(kClicked, this);
        return true;
    }
    default:
        return true;
    }
}

bool DemoButton::GetToolTipText(int, int, char* out, size_t size)
{
    return resources::StringTableLookup(tooltipKey.c_str(), out, size) > 0;
}

} // namespace guidemo
