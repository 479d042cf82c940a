#pragma once
// A lightweight object of the toolkit's tree: a rectangle in its parent that draws itself on the
// window's back buffer, records what needs drawing again and receives mouse, key and timer events.
// Not a native window. Used on the user-interface thread; Redraw may also come from other threads.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "gui/CLock.h"
#include "platform/CRegion.h"
#include "platform/Rect.h"

namespace images
{
class CImage;
}

namespace gui
{

class TWGuiContainer;
class TWGuiWindow;

// Mouse events: the first argument of OnMouse.
enum TWMouseEvent : int
{
    kMouseMove = 0,
    kMouseEnter = 1,
    kMouseLeave = 2,
    kMouseLeftDown = 3,
    kMouseLeftUp = 4,
    kMouseLeftDoubleClick = 5,
    kMouseLeftUpAfterDoubleClick = 6,
    kMouseRightDown = 7,
    kMouseRightUp = 8,
};

// Key events: the first argument of OnKey.
enum TWKeyEvent : int
{
    kKeyDown = 0,
    kKeyUp = 1
};

enum TWObjectKind : int32_t
{
    kKindObject = 0,
    kKindContainer = 1,
    kKindWindow = 4
};

class TWGuiObject : public CLock
{
public:
    static constexpr int32_t kDefaultZOrder = 32;

    TWGuiObject();
    ~TWGuiObject() override;

    int32_t GetKind() const { return kind; }
    virtual int GetWidth() const { return width; }
    virtual int GetHeight() const { return height; }
    virtual int GetX() const { return x; }
    virtual int GetY() const { return y; }
    virtual platform::Rect GetLocalRect() const { return {0, 0, width, height}; }
    virtual platform::Rect GetRectInParent() const { return {x, y, x + width, y + height}; }
    // Inside the own rectangle and, through the parents, inside every ancestor.
    virtual bool HitTest(int posX, int posY) const;
    virtual int GetAbsX() const { return absX; }
    virtual int GetAbsY() const { return absY; }
    virtual platform::Rect GetAbsRect() const { return {absX, absY, absX + width, absY + height}; }
    virtual platform::Rect ToWindowRect(const platform::Rect& r) const { return r.Offset(absX, absY); }
    virtual platform::Point ToWindowPoint(platform::Point p) const { return {p.x + absX, p.y + absY}; }
    virtual platform::Rect ToParentRect(const platform::Rect& r) const { return r.Offset(x, y); }
    virtual platform::Point ToParentPoint(platform::Point p) const { return {p.x + x, p.y + y}; }
    // The part of r (local coordinates) that the object and all its ancestors leave visible.
    virtual platform::Rect ClipToVisible(const platform::Rect& r) const;
    virtual TWGuiContainer* GetParent() const { return parent; }
    virtual void SetParent(TWGuiContainer* newParent, int posX, int posY);
    virtual bool IsTransparent() const { return transparent != 0; }
    virtual void SetTransparent(bool value) { transparent = value; }
    virtual int32_t GetZOrder() const { return zOrder; }
    virtual void SetZOrder(int32_t key);
    virtual void Show();
    virtual void Hide();
    virtual bool IsVisible() const { return visible != 0; }
    virtual bool AcceptsHover() const { return acceptsHover != 0; }
    void SetAcceptsHover(bool accepts) { acceptsHover = accepts; }
    void SetAlwaysPaint(bool always) { alwaysPaint = always; }
    virtual void SetSize(int widthPx, int heightPx);
    virtual void SetPosition(int posX, int posY);
    virtual void UpdateAbsolutePosition();
    virtual void UseSimpleDirty();
    // Marks r (local coordinates; null for the whole object) as needing drawing.
    virtual void AddDirty(const platform::Rect* r);
    virtual bool HasDirtyIn(const platform::Rect& r) const;
    // Clears dirtiness inside r (null for all). In simple-dirty mode only a rectangle covering the
    // whole object clears the flag, so an object painted piece by piece stays dirty until done.
    virtual void ClearDirty(const platform::Rect* r);
    virtual platform::Rect GetDirtyBounds() const;
    virtual void ClearAllDirty();
    // Marks r (null: the whole object) dirty and gets it onto the screen: through a transparent
    // object's parent, else into the window's dirty region.
    virtual void Redraw(const platform::Rect* r = nullptr);
    virtual void RedrawInParent(const platform::Rect* r = nullptr);
    // Draws what is dirty inside r (local coordinates); true when anything was drawn.
    virtual bool PaintIfDirty(const platform::Rect& r);
    // Draws r whether dirty or not.
    virtual void Paint(const platform::Rect& r);
    // Passes r up the tree into the window's dirty region without marking anything dirty.
    virtual void InvalidateRect(const platform::Rect& r);
    // Draws the part r (local coordinates) of the object on the back buffer.
    virtual void Draw(const platform::Rect& r) = 0;
    // Returns true when the object handled the event (x, y in local coordinates).
    virtual bool OnMouse(int event, int posX, int posY, unsigned keyState);
    virtual bool OnKey(int event, int virtualKey, unsigned modifiers);
    // Fills out with the tooltip for the local point; false when there is none.
    virtual bool GetToolTipText(int posX, int posY, char* out, size_t size);
    virtual void OnTimer(void* ownerData) = 0;
    virtual void Enable() { enabled = 1; }
    virtual void Disable() { enabled = 0; }
    virtual bool IsEnabled() const { return enabled != 0; }
    virtual void SetCompanion(TWGuiObject* other) { companion = other; }
    TWGuiObject* GetCompanion() const { return companion; }
    virtual TWGuiWindow* GetWindow() const;

    // The window's back buffer, or null while the object is not in a window.
    images::CImage* GetBackBuffer() const;
    // Timers of this object through its window (period in milliseconds); false without a window.
    bool StartTimer(void* ownerData, unsigned periodMs);
    void StopTimers();
    void StopTimer(void* ownerData);

protected:
    void SetKind(int32_t newKind) { kind = newKind; }
    bool IsSimpleDirty() const { return simpleDirty != 0; }

private:
    int32_t kind = kKindObject;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t absX = 0;
    int32_t absY = 0;
    TWGuiContainer* parent = nullptr;
    TWGuiObject* companion = nullptr;
    std::unique_ptr<platform::CRegion> dirtyList;
    uint8_t dirtyFlag = 0;
    uint8_t simpleDirty = 0;
    uint8_t transparent = 0;
    int32_t zOrder = kDefaultZOrder;
    uint8_t visible = 1;
    uint8_t enabled = 1;
    uint8_t acceptsHover = 1;
    uint8_t alwaysPaint = 0;

    friend class TWGuiContainer;
};

} // namespace gui
