#include "gui/TWGuiContainer.h"

#include <algorithm>

#include "gui/TWGuiWindow.h"

using namespace images;

namespace gui
{

TWGuiContainer::TWGuiContainer()
{
    SetKind(kKindContainer);
}

TWGuiContainer::~TWGuiContainer()
{
    DetachChildren();
    // What remains to be destroyed is a plain object.
    SetKind(kKindObject);
}

void TWGuiContainer::DetachChildren()
{
    CAutoLock hold(*this);
    if (TWGuiWindow* window = GetWindow())
    {
        for (TWGuiObject* child : children_)
            window->ForgetSubtree(child);
        for (TWGuiObject* child : floating_)
            window->ForgetSubtree(child);
    }
    for (TWGuiObject* child : children_)
        child->parent_ = nullptr;
    for (TWGuiObject* child : floating_)
        child->parent_ = nullptr;
    children_.clear();
    floating_.clear();
    overlay_ = nullptr;
}

void TWGuiContainer::InsertByKey(TWGuiObject* child)
{
    const int32_t key = child->GetZOrder();
    if (children_.empty() || key <= children_.front()->GetZOrder())
    {
        children_.insert(children_.begin(), child);
    }
    else if (key >= children_.back()->GetZOrder())
    {
        children_.push_back(child);
    }
    else
    {
        const auto at = std::find_if(children_.begin(), children_.end(),
                                     [key](const TWGuiObject* c) { return c->GetZOrder() >= key; });
        children_.insert(at, child);
    }
}

void TWGuiContainer::AddChild(TWGuiObject* child, int x, int y)
{
    if (!child || child == this)
        return;
    CAutoLock hold(*this);
    if (child->GetParent())
        child->GetParent()->RemoveChild(child);
    InsertByKey(child);
    child->SetParent(this, x, y);
    if (!IsVisible())
        child->Hide();
    else
        child->Redraw();
}

void TWGuiContainer::AddFloatingChild(TWGuiObject* child, int x, int y)
{
    if (!child || child == this)
        return;
    CAutoLock hold(*this);
    if (child->GetParent())
        child->GetParent()->RemoveChild(child);
    floating_.push_back(child);
    child->SetParent(this, x, y);
    if (!IsVisible())
        child->Hide();
    else
        child->Redraw();
}

bool TWGuiContainer::HasChild(const TWGuiObject* child) const
{
    return std::find(children_.begin(), children_.end(), child) != children_.end() ||
           std::find(floating_.begin(), floating_.end(), child) != floating_.end();
}

void TWGuiContainer::RemoveChild(TWGuiObject* child)
{
    CAutoLock hold(*this);
    if (!child || !HasChild(child))
        return;
    child->RedrawInParent();
    if (TWGuiWindow* window = GetWindow())
        window->ForgetSubtree(child);
    child->parent_ = nullptr;
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    floating_.erase(std::remove(floating_.begin(), floating_.end(), child), floating_.end());
    if (overlay_ == child)
        overlay_ = nullptr;
}

void TWGuiContainer::Restack(TWGuiObject* child)
{
    CAutoLock hold(*this);
    const auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end())
        return;
    children_.erase(it);
    InsertByKey(child);
    child->Redraw();
}

Rect TWGuiContainer::ToChildRect(const TWGuiObject* child, const Rect& r) const
{
    return r.Offset(-child->GetX(), -child->GetY());
}

Point TWGuiContainer::ToChildPoint(const TWGuiObject* child, Point p) const
{
    return {p.x - child->GetX(), p.y - child->GetY()};
}

void TWGuiContainer::RepaintOverlay(const Rect& r)
{
    if (!overlay_ || !overlay_->IsVisible())
        return;
    const Rect under = Intersect(r, overlay_->GetRectInParent());
    if (!under.IsEmpty())
        overlay_->Paint(ToChildRect(overlay_, under));
}

void TWGuiContainer::Hide(bool recursive)
{
    if (recursive)
        for (const auto* list : {&children_, &floating_})
            for (TWGuiObject* child : *list)
                if (child->IsVisible())
                    child->Hide();
    TWGuiObject::Hide();
}

void TWGuiContainer::UpdateAbsolutePosition()
{
    TWGuiObject::UpdateAbsolutePosition();
    CAutoLock hold(*this);
    for (TWGuiObject* child : children_)
        child->UpdateAbsolutePosition();
    for (TWGuiObject* child : floating_)
        child->UpdateAbsolutePosition();
}

bool TWGuiContainer::PaintIfDirty(const Rect& r)
{
    if (!IsVisible())
        return false;
    CAutoLock hold(*this);
    const Rect area = Intersect(r, GetLocalRect());
    if (area.IsEmpty())
        return false;
    bool repainted = false;
    Rect repaintedArea;
    if (HasDirtyIn(area))
    {
        if (!floating_.empty())
        {
            Paint(area);
            return true;
        }
        const Rect own = IsSimpleDirty() ? area : Intersect(area, GetDirtyBounds());
        Draw(own);
        ClearDirty(&own);
        repainted = true;
        repaintedArea = own;
        // The background just drawn covers the children there: they must draw themselves again.
        for (TWGuiObject* child : children_)
        {
            const Rect covered = ToChildRect(child, Intersect(own, child->GetRectInParent()));
            if (child->IsVisible() && !covered.IsEmpty())
                child->AddDirty(&covered);
        }
    }
    for (TWGuiObject* child : children_)
    {
        if (child == overlay_ || !child->IsVisible())
            continue;
        const Rect overlap = Intersect(area, child->GetRectInParent());
        if (overlap.IsEmpty() || !child->PaintIfDirty(ToChildRect(child, overlap)))
            continue;
        repainted = true;
        repaintedArea = UnionBounds(repaintedArea, overlap);
    }
    if (overlay_ && overlay_->IsVisible())
    {
        const Rect overlayRect = overlay_->GetRectInParent();
        const Rect beneath = Intersect(repaintedArea, overlayRect);
        if (!beneath.IsEmpty())
        {
            overlay_->Paint(ToChildRect(overlay_, beneath));
            repainted = true;
        }
        const Rect overlap = Intersect(area, overlayRect);
        if (!overlap.IsEmpty() && overlay_->PaintIfDirty(ToChildRect(overlay_, overlap)))
            repainted = true;
    }
    if (repainted)
    {
        for (TWGuiObject* child : floating_)
        {
            const Rect overlap = Intersect(area, child->GetRectInParent());
            if (child->IsVisible() && !overlap.IsEmpty())
                child->Paint(ToChildRect(child, overlap));
        }
    }
    return repainted;
}

void TWGuiContainer::Paint(const Rect& r)
{
    if (!IsVisible())
        return;
    CAutoLock hold(*this);
    const Rect area = Intersect(r, GetLocalRect());
    if (area.IsEmpty())
        return;
    Draw(area);
    ClearDirty(&area);
    for (const auto* list : {&children_, &floating_})
    {
        for (TWGuiObject* child : *list)
        {
            const Rect overlap = Intersect(area, child->GetRectInParent());
            if (child->IsVisible() && !overlap.IsEmpty())
                child->Paint(ToChildRect(child, overlap));
        }
    }
}

void TWGuiContainer::Draw(const Rect&) {}

void TWGuiContainer::OnTimer(void*) {}

bool TWGuiContainer::DispatchMouseTo(TWGuiObject* child, int event, int x, int y, unsigned keyState)
{
    if (!child || !child->IsVisible() || !child->IsEnabled() || !child->GetRectInParent().Contains(x, y))
        return false;
    if (TWGuiWindow* window = GetWindow())
    {
        // The innermost object under the pointer that takes hover becomes the hover object; an object
        // that declined the event keeps it from the siblings below.
        TWGuiObject* hover = window->GetHoverObject();
        if (child->AcceptsHover() && (!hover || hover == this || hover == window))
            window->SetHoverObject(child);
    }
    const Point p = ToChildPoint(child, {x, y});
    return child->OnMouse(event, p.x, p.y, keyState);
}

bool TWGuiContainer::OnMouse(int event, int x, int y, unsigned keyState)
{
    CAutoLock hold(*this);
    // Copies: a handler may add or remove children.
    const std::vector<TWGuiObject*> floating = floating_;
    for (auto it = floating.rbegin(); it != floating.rend(); ++it)
        if (HasChild(*it) && DispatchMouseTo(*it, event, x, y, keyState))
            return true;
    const std::vector<TWGuiObject*> children = children_;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (HasChild(*it) && DispatchMouseTo(*it, event, x, y, keyState))
            return true;
    return false;
}

bool TWGuiContainer::OnKey(int event, int virtualKey, unsigned modifiers)
{
    CAutoLock hold(*this);
    const std::vector<TWGuiObject*> children = children_;
    for (TWGuiObject* child : children)
        if (HasChild(child) && child->IsVisible() && child->IsEnabled() &&
            child->OnKey(event, virtualKey, modifiers))
            return true;
    return false;
}

} // namespace gui
