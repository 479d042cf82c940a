#include "gui/TWGuiObject.h"

#include "gui/TWGuiContainer.h"
#include "gui/TWGuiWindow.h"

using namespace images;

namespace gui
{

TWGuiObject::TWGuiObject() = default;

TWGuiObject::~TWGuiObject()
{
    TWGuiWindow* window = GetWindow();
    if (window && window != static_cast<TWGuiObject*>(this))
        window->ForgetObject(this);
    if (parent_)
        parent_->RemoveChild(this);
}

bool TWGuiObject::HitTest(int x, int y) const
{
    if (!GetLocalRect().Contains(x, y))
        return false;
    if (!parent_)
        return true;
    const Point p = ToParentPoint({x, y});
    return parent_->HitTest(p.x, p.y);
}

Rect TWGuiObject::ClipToVisible(const Rect& r) const
{
    Rect clipped = Intersect(r, GetLocalRect());
    if (clipped.IsEmpty() || !parent_)
        return clipped;
    clipped = parent_->ClipToVisible(ToParentRect(clipped));
    return clipped.IsEmpty() ? Rect{} : clipped.Offset(-x_, -y_);
}

void TWGuiObject::SetParent(TWGuiContainer* parent, int x, int y)
{
    parent_ = parent;
    x_ = x;
    y_ = y;
    UpdateAbsolutePosition();
}

void TWGuiObject::SetZOrder(int32_t key)
{
    zOrder = key;
    if (parent_)
        parent_->Restack(this);
}

void TWGuiObject::Show()
{
    if (visible_)
        return;
    visible_ = 1;
    UpdateAbsolutePosition();
    Redraw();
}

void TWGuiObject::Hide()
{
    if (!visible_)
        return;
    visible_ = 0;
    RedrawInParent();
    dirtyList.reset();
    dirtyFlag = 0;
}

void TWGuiObject::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    const int oldWidth = width_, oldHeight = height_;
    width_ = width;
    height_ = height;
    if (!visible_)
        return;
    if (width > oldWidth)
    {
        const Rect grown{oldWidth, 0, width, height};
        Redraw(&grown);
    }
    if (height > oldHeight)
    {
        const Rect grown{0, oldHeight, width, height};
        Redraw(&grown);
    }
    if (width < oldWidth)
    {
        const Rect shrunk{width, 0, oldWidth, oldHeight};
        ClearDirty(&shrunk);
        RedrawInParent(&shrunk);
    }
    if (height < oldHeight)
    {
        const Rect shrunk{0, height, oldWidth, oldHeight};
        ClearDirty(&shrunk);
        RedrawInParent(&shrunk);
    }
}

void TWGuiObject::SetPosition(int x, int y)
{
    if (x == x_ && y == y_)
        return;
    const bool wasVisible = visible_ != 0;
    if (wasVisible)
    {
        // Hidden while the old place is given back to the parent.
        visible_ = 0;
        RedrawInParent();
        visible_ = 1;
    }
    x_ = x;
    y_ = y;
    UpdateAbsolutePosition();
    if (wasVisible)
        Redraw();
}

void TWGuiObject::UpdateAbsolutePosition()
{
    absX = parent_ ? parent_->GetAbsX() + x_ : x_;
    absY = parent_ ? parent_->GetAbsY() + y_ : y_;
    if (kind_ == kKindWindow)
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
    if (!visible_)
        return;
    const Rect local = GetLocalRect();
    if (r && !Intersects(*r, local))
        return;
    const Rect area = r ? Intersect(*r, local) : local;
    if (area.IsEmpty())
        return;
    AddDirty(&area);
    if (transparent_ && parent_)
    {
        const Rect inParent = ToParentRect(area);
        parent_->Redraw(&inParent);
    }
    else if (TWGuiWindow* window = GetWindow())
    {
        window->InvalidateMainWindow(ToWindowRect(area));
    }
}

void TWGuiObject::RedrawInParent(const Rect* r)
{
    if (!parent_)
        return;
    const Rect inParent = ToParentRect(r ? *r : GetLocalRect());
    parent_->Redraw(&inParent);
}

bool TWGuiObject::PaintIfDirty(const Rect& r)
{
    if (!visible_)
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
    if (parent_)
        parent_->InvalidateRect(ToParentRect(area));
    else if (kind_ == kKindWindow)
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
    while (top->parent_)
        top = top->parent_;
    return top->kind_ == kKindWindow ? static_cast<TWGuiWindow*>(const_cast<TWGuiObject*>(top)) : nullptr;
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
