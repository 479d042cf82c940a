#pragma once
// An object that holds children: stacking by key, mouse and key dispatch down the tree, painting of
// dirty children, floating children painted again over the others, and one overlay child kept on top.
// Parents do not own their children.
#include <vector>

#include "gui/TWGuiObject.h"

namespace gui
{

class TWGuiContainer : public TWGuiObject
{
public:
    TWGuiContainer();
    ~TWGuiContainer() override;

    // Inserts the child by its stacking key: equal keys put the newest first (beneath the others).
    virtual void AddChild(TWGuiObject* child, int posX, int posY);
    // A child painted again over the normal children whenever any of them was repainted.
    virtual void AddFloatingChild(TWGuiObject* child, int posX, int posY);
    virtual bool HasChild(const TWGuiObject* child) const;
    // Takes the child out (unsetting its parent) and redraws the area it covered.
    virtual void RemoveChild(TWGuiObject* child);
    // Sorts a child again after its key changed.
    void Restack(TWGuiObject* child);
    virtual platform::Rect ToChildRect(const TWGuiObject* child, const platform::Rect& r) const;
    virtual platform::Point ToChildPoint(const TWGuiObject* child, platform::Point p) const;
    // Paints the overlay child over the part of r (container coordinates) that it covers.
    virtual void RepaintOverlay(const platform::Rect& r);
    // The child kept on top: it is painted again over any other child repainted beneath it.
    virtual void SetOverlayChild(TWGuiObject* child) { overlay = child; }
    TWGuiObject* GetOverlayChild() const { return overlay; }
    const std::vector<TWGuiObject*>& GetChildren() const { return children; }
    const std::vector<TWGuiObject*>& GetFloatingChildren() const { return floating; }

    // Hides the container; with recursive, hides its visible children first.
    virtual void Hide(bool recursive);
    void Hide() override { Hide(false); }
    void UpdateAbsolutePosition() override;
    bool PaintIfDirty(const platform::Rect& r) override;
    void Paint(const platform::Rect& r) override;
    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;
    bool OnKey(int event, int virtualKey, unsigned modifiers) override;
    void OnTimer(void* ownerData) override;

protected:
    // Unsets the parent of every child (used before the container goes away).
    void DetachChildren();

private:
    void InsertByKey(TWGuiObject* child);
    bool DispatchMouseTo(TWGuiObject* child, int event, int posX, int posY, unsigned keyState);

    std::vector<TWGuiObject*> children; // by rising stacking key
    std::vector<TWGuiObject*> floating;
    TWGuiObject* overlay = nullptr;
};

} // namespace gui
