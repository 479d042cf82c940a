#include "gui/TWGuiObject.h"

#include "gui/TWGuiContainer.h"
#include "gui/TWGuiWindow.h"

using namespace images;
using namespace platform;

namespace gui
{

TWGuiObject::TWGuiObject() = default;

TWGuiObject::~TWGuiObject()
{
    TWGuiWindow* window = GetWindow();
    if (window && window != static_cast<TWGuiObject*>(this))
        window->ForgetObject(this);
    if (parent)
        parent->RemoveChild(this);
}

bool TWGuiObject::HitTest(int posX, int posY) const
{
    if (!GetLocalRect().Contains(posX, posY))
        return false;
    if (!parent)
        return true;
    const Point p = ToParentPoint({posX, posY});
    return parent->HitTest(p.x, p.y);
}

Rect TWGuiObject::ClipToVisible(const Rect& r) const
{
    Rect clipped = Intersect(r, GetLocalRect());
    if (clipped.IsEmpty() || !parent)
        return clipped;
    clipped = parent->ClipToVisible(ToParentRect(clipped));
    return clipped.IsEmpty() ? Rect{} : clipped.Offset(-x, -y);
}

void TWGuiObject::SetParent(TWGuiContainer* newParent, int posX, int posY)
{
    parent = newParent;
    x = posX;
    y = posY;
    UpdateAbsolutePosition();
}

void TWGuiObject::SetZOrder(int32_t key)
{
    zOrder = key;
    if (parent)
        parent->Restack(this);
}

void TWGuiObject::Show()
{
    if (visible)
        return;
    visible = 1;
    UpdateAbsolutePosition();
    Redraw();
}

void TWGuiObject::Hide()
{
    if (!visible)
        return;
    visible = 0;
    RedrawInParent();
    dirtyList.reset();
    dirtyFlag = 0;
}

void TWGuiObject::SetSize(int widthPx, int heightPx)
{
    if (widthPx == width && heightPx == height)
        return;
    const int oldWidth = width, oldHeight = height;
    width = widthPx;
    height = heightPx;
    if (!visible)
        return;
    if (widthPx > oldWidth)
    {
        const Rect grown{oldWidth, 0, widthPx, heightPx};
        Redraw(&grown);
    }
    if (heightPx > oldHeight)
    {
        const Rect grown{0, oldHeight, widthPx, heightPx};
        Redraw(&grown);
    }
    if (widthPx < oldWidth)
    {
        const Rect shrunk{widthPx, 0, oldWidth, oldHeight};
        ClearDirty(&shrunk);
        RedrawInParent(&shrunk);
    }
    if (heightPx < oldHeight)
    {
        const Rect shrunk{0, heightPx, oldWidth, oldHeight};
        ClearDirty(&shrunk);
        RedrawInParent(&shrunk);
    }
}

void TWGuiObject::SetPosition(int posX, int posY)
{
    if (posX == x && posY == y)
        return;
    const bool wasVisible = visible != 0;
    if (wasVisible)
    {
        // Hidden while the old place is given back to the parent.
        visible = 0;
        RedrawInParent();
        visible = 1;
    }
    x = posX;
    y = posY;
    UpdateAbsolutePosition();
    if (wasVisible)
        Redraw();
}

void TWGuiObject::UpdateAbsolutePosition()
{
    absX = parent ? parent->GetAbsX() + x : x;
    absY = parent ? parent->GetAbsY() + y : y;
    if (kind == kKindWindow)
        absX = absY = 0;
}

void TWGuiObject::UseSimpleDirty()
{
    dirtyList.reset();
    simpleDirty = 1;
}

void TWGuiObject::AddDirty(const Rect* r)
{
    CAutoLock hold(*this);
    const Rect area = r ? Intersect(*r, GetLocalRect()) : GetLocalRect();
    if (area.IsEmpty())
        return;
    if (simpleDirty)
    {
        dirtyFlag = 1;
        return;
    }
    if (!dirtyList)
        dirtyList = std::make_unique<CRegion>();
    dirtyList->Add(area);
}

bool TWGuiObject::HasDirtyIn(const Rect& r) const
{
    if (simpleDirty)
        return dirtyFlag && Intersects(r, GetLocalRect());
    return dirtyList && dirtyList->Intersects(r);
}

void TWGuiObject::ClearDirty(const Rect* r)
{
    CAutoLock hold(*this);
    if (simpleDirty)
    {
        const Rect local = GetLocalRect();
        if (!r || Intersect(*r, local) == local)
            dirtyFlag = 0;
        return;
    }
    if (!dirtyList)
        return;
    if (r)
        dirtyList->Subtract(*r);
    else
        dirtyList->Clear();
}

Rect TWGuiObject::GetDirtyBounds() const
{
    if (simpleDirty)
        return dirtyFlag ? GetLocalRect() : Rect{};
    return dirtyList ? dirtyList->Bounds() : Rect{};
}

void TWGuiObject::ClearAllDirty()
{
    ClearDirty(nullptr);
}

void TWGuiObject::Redraw(const Rect* r)
{
    if (!visible)
        return;
    const Rect local = GetLocalRect();
    if (r && !Intersects(*r, local))
        return;
    const Rect area = r ? Intersect(*r, local) : local;
    if (area.IsEmpty())
        return;
    AddDirty(&area);
    if (transparent && parent)
    {
        const Rect inParent = ToParentRect(area);
        parent->Redraw(&inParent);
    }
    else if (TWGuiWindow* window = GetWindow())
    {
        window->InvalidateMainWindow(ToWindowRect(area));
    }
}

void TWGuiObject::RedrawInParent(const Rect* r)
{
    if (!parent)
        return;
    const Rect inParent = ToParentRect(r ? *r : GetLocalRect());
    parent->Redraw(&inParent);
}

bool TWGuiObject::PaintIfDirty(const Rect& r)
{
    if (!visible)
        return false;
    const Rect area = Intersect(r, GetLocalRect());
    if (area.IsEmpty() || (!HasDirtyIn(area) && !alwaysPaint))
        return false;
    Draw(area);
    ClearDirty(&area);
    return true;
}

void TWGuiObject::Paint(const Rect& r)
{
    const Rect area = Intersect(r, GetLocalRect());
    if (area.IsEmpty())
        return;
    Draw(area);
    ClearDirty(&area);
}

void TWGuiObject::InvalidateRect(const Rect& r)
{
    const Rect area = Intersect(r, GetLocalRect());
    if (area.IsEmpty())
        return;
    if (parent)
        parent->InvalidateRect(ToParentRect(area));
    else if (kind == kKindWindow)
        static_cast<TWGuiWindow*>(this)->InvalidateMainWindow(area);
}

bool TWGuiObject::OnMouse(int, int, int, unsigned)
{
    return false;
}

bool TWGuiObject::OnKey(int, int, unsigned)
{
    return false;
}

bool TWGuiObject::GetToolTipText(int, int, char*, size_t)
{
    return false;
}

TWGuiWindow* TWGuiObject::GetWindow() const
{
    const TWGuiObject* top = this;
    while (top->parent)
        top = top->parent;
    return top->kind == kKindWindow ? static_cast<TWGuiWindow*>(const_cast<TWGuiObject*>(top)) : nullptr;
}

CImage* TWGuiObject::GetBackBuffer() const
{
    TWGuiWindow* window = GetWindow();
    return window ? window->GetBackBuffer() : nullptr;
}

bool TWGuiObject::StartTimer(void* ownerData, unsigned periodMs)
{
    TWGuiWindow* window = GetWindow();
    return window && window->StartTimer(this, ownerData, periodMs);
}

void TWGuiObject::StopTimers()
{
    if (TWGuiWindow* window = GetWindow())
        window->StopTimers(this);
}

void TWGuiObject::StopTimer(void* ownerData)
{
    if (TWGuiWindow* window = GetWindow())
        window->StopTimer(this, ownerData);
}

} // namespace gui
