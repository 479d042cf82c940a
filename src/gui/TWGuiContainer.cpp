#include "gui/TWGuiContainer.h"

#include <algorithm>

#include "gui/TWGuiWindow.h"

using namespace images;
using namespace platform;

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
        for (TWGuiObject* child : children)
            window->ForgetSubtree(child);
        for (TWGuiObject* child : floating)
            window->ForgetSubtree(child);
    }
    for (TWGuiObject* child : children)
        child->parent = nullptr;
    for (TWGuiObject* child : floating)
        child->parent = nullptr;
    children.clear();
    floating.clear();
    overlay = nullptr;
}

void TWGuiContainer::InsertByKey(TWGuiObject* child)
{
    const int32_t key = child->GetZOrder();
    if (children.empty() || key <= children.front()->GetZOrder())
    {
        children.insert(children.begin(), child);
    }
    else if (key >= children.back()->GetZOrder())
    {
        children.push_back(child);
    }
    else
    {
        const auto at = std::find_if(children.begin(), children.end(),
                                     [key](const TWGuiObject* c) { return c->GetZOrder() >= key; });
        children.insert(at, child);
    }
}

void TWGuiContainer::AddChild(TWGuiObject* child, int posX, int posY)
{
    if (!child || child == this)
        return;
    CAutoLock hold(*this);
    if (child->GetParent())
        child->GetParent()->RemoveChild(child);
    InsertByKey(child);
    child->SetParent(this, posX, posY);
    if (!IsVisible())
        child->Hide();
    else
        child->Redraw();
}

void TWGuiContainer::AddFloatingChild(TWGuiObject* child, int posX, int posY)
{
    if (!child || child == this)
        return;
    CAutoLock hold(*this);
    if (child->GetParent())
        child->GetParent()->RemoveChild(child);
    floating.push_back(child);
    child->SetParent(this, posX, posY);
    if (!IsVisible())
        child->Hide();
    else
        child->Redraw();
}

bool TWGuiContainer::HasChild(const TWGuiObject* child) const
{
    return std::find(children.begin(), children.end(), child) != children.end() ||
           std::find(floating.begin(), floating.end(), child) != floating.end();
}

void TWGuiContainer::RemoveChild(TWGuiObject* child)
{
    CAutoLock hold(*this);
    if (!child || !HasChild(child))
        return;
    child->RedrawInParent();
    if (TWGuiWindow* window = GetWindow())
        window->ForgetSubtree(child);
    child->parent = nullptr;
    children.erase(std::remove(children.begin(), children.end(), child), children.end());
    floating.erase(std::remove(floating.begin(), floating.end(), child), floating.end());
    if (overlay == child)
        overlay = nullptr;
}

void TWGuiContainer::Restack(TWGuiObject* child)
{
    CAutoLock hold(*this);
    const auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end())
        return;
    children.erase(it);
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
    if (!overlay || !overlay->IsVisible())
        return;
    const Rect under = Intersect(r, overlay->GetRectInParent());
    if (!under.IsEmpty())
        overlay->Paint(ToChildRect(overlay, under));
}

void TWGuiContainer::Hide(bool recursive)
{
    if (recursive)
        for (const auto* list : {&children, &floating})
            for (TWGuiObject* child : *list)
                if (child->IsVisible())
                    child->Hide();
    TWGuiObject::Hide();
}

void TWGuiContainer::UpdateAbsolutePosition()
{
    TWGuiObject::UpdateAbsolutePosition();
    CAutoLock hold(*this);
    for (TWGuiObject* child : children)
        child->UpdateAbsolutePosition();
    for (TWGuiObject* child : floating)
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
        if (!floating.empty())
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
        for (TWGuiObject* child : children)
        {
            const Rect covered = ToChildRect(child, Intersect(own, child->GetRectInParent()));
            if (child->IsVisible() && !covered.IsEmpty())
                child->AddDirty(&covered);
        }
    }
    for (TWGuiObject* child : children)
    {
        if (child == overlay || !child->IsVisible())
            continue;
        const Rect overlap = Intersect(area, child->GetRectInParent());
        if (overlap.IsEmpty() || !child->PaintIfDirty(ToChildRect(child, overlap)))
            continue;
        repainted = true;
        repaintedArea = UnionBounds(repaintedArea, overlap);
    }
    if (overlay && overlay->IsVisible())
    {
        const Rect overlayRect = overlay->GetRectInParent();
        const Rect beneath = Intersect(repaintedArea, overlayRect);
        if (!beneath.IsEmpty())
        {
            overlay->Paint(ToChildRect(overlay, beneath));
            repainted = true;
        }
        const Rect overlap = Intersect(area, overlayRect);
        if (!overlap.IsEmpty() && overlay->PaintIfDirty(ToChildRect(overlay, overlap)))
            repainted = true;
    }
    if (repainted)
    {
        for (TWGuiObject* child : floating)
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
    for (const auto* list : {&children, &floating})
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

bool TWGuiContainer::DispatchMouseTo(TWGuiObject* child, int event, int posX, int posY, unsigned keyState)
{
    if (!child || !child->IsVisible() || !child->IsEnabled() ||
        !child->GetRectInParent().Contains(posX, posY))
        return false;
    if (TWGuiWindow* window = GetWindow())
    {
        // The innermost object under the pointer that takes hover becomes the hover object; an object
        // that declined the event keeps it from the siblings below.
        TWGuiObject* hover = window->GetHoverObject();
        if (child->AcceptsHover() && (!hover || hover == this || hover == window))
            window->SetHoverObject(child);
    }
    const Point p = ToChildPoint(child, {posX, posY});
    return child->OnMouse(event, p.x, p.y, keyState);
}

bool TWGuiContainer::OnMouse(int event, int posX, int posY, unsigned keyState)
{
    CAutoLock hold(*this);
    // Copies: a handler may add or remove children.
    const std::vector<TWGuiObject*> floatingSnapshot = floating;
    for (auto it = floatingSnapshot.rbegin(); it != floatingSnapshot.rend(); ++it)
        if (HasChild(*it) && DispatchMouseTo(*it, event, posX, posY, keyState))
            return true;
    const std::vector<TWGuiObject*> childrenSnapshot = children;
    for (auto it = childrenSnapshot.rbegin(); it != childrenSnapshot.rend(); ++it)
        if (HasChild(*it) && DispatchMouseTo(*it, event, posX, posY, keyState))
            return true;
    return false;
}

bool TWGuiContainer::OnKey(int event, int virtualKey, unsigned modifiers)
{
    CAutoLock hold(*this);
    const std::vector<TWGuiObject*> childrenSnapshot = children;
    for (TWGuiObject* child : childrenSnapshot)
        if (HasChild(child) && child->IsVisible() && child->IsEnabled() &&
            child->OnKey(event, virtualKey, modifiers))
            return true;
    return false;
}

} // namespace gui
