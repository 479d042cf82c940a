#pragma once
// The one native window of a toolkit tree: owns the back buffer, turns native events into object
// events (hit-tested mouse, capture and hover, keys, timers, tooltips), gathers dirty rectangles in
// a region that goes to the screen on the 40 ms refresh tick, and paints only what changed.
// Created, driven and destroyed on the user-interface thread; InvalidateMainWindow may be called
// from any thread.
#include <memory>
#include <utility>
#include <vector>

#include "gui/TWGuiContainer.h"
#include "gui/TWGuiWindowCallback.h"
#include "gui/TWTimerRegistry.h"
#include "gui/TooltipController.h"
#include "images/CImage.h"
#include "platform/CRegion.h"
#include "platform/native/NativeWindow.h"

namespace gui
{

class TWGuiWindow : public TWGuiContainer, private platform::NativeWindowListener
{
public:
    static constexpr unsigned REFRESH_TIMER = 1;
    static constexpr unsigned kRefreshPeriodMs = 40;
    // Paints with more rectangles than this go to the screen as their bounding box.
    static constexpr size_t kMaxPaintRects = 50;

    // Uses the system's native window (X11).
    TWGuiWindow();
    explicit TWGuiWindow(std::unique_ptr<platform::NativeWindow> nativeWindow);
    ~TWGuiWindow() override;

    // Makes the native window (a child of parent.windowId, or stand-alone when it is 0), sizes the
    // tree and starts the refresh timer. False (and logged) when the native window cannot be made.
    bool Initialize(const platform::NativeParent& parentWindow, int widthPx, int heightPx);
    // Drains native events and due timers: call from the host's idle.
    void Idle();
    // Stand-alone windows: runs until the window is closed.
    int RunEventLoop();
    void OnActivate(bool active);

    images::CImage* GetBackBuffer() { return backBuffer.IsValid() ? &backBuffer : nullptr; }
    platform::NativeWindow* GetNativeWindow() const { return native.get(); }
    unsigned long GetNativeId() const { return native ? native->GetId() : 0; }
    void SetHoverObject(TWGuiObject* object) { hover = object; }
    TWGuiObject* GetHoverObject() const { return hover; }
    // Sends every mouse event to object until released; with trackLeave the capture ends when the
    // pointer leaves the window, else the pointer is grabbed and moves outside arrive too.
    void SetMouseCapture(TWGuiObject* object, bool reportLeave);
    TWGuiObject* GetCaptureObject() const { return capture; }
    void ReleaseMouseCapture();
    // Queues a redraw of object's r to run right after the next paint.
    void PostRedraw(TWGuiObject* object, const platform::Rect& r);
    // Hands the dirty region to the native window and empties it.
    void FlushDirtyRegion();
    void InvalidateMainWindow(const platform::Rect& r);
    platform::CRegion GetDirtyRegion();

    void SetCallback(TWGuiWindowCallback* newCallback) { callback = newCallback; }
    bool StartTimer(TWGuiObject* object, void* ownerData, unsigned periodMs);
    void StopTimers(TWGuiObject* object);
    void StopTimer(TWGuiObject* object, void* ownerData);
    TooltipController* GetTooltip() const { return tooltip.get(); }
    // Sets the pointer's shape for this move; without a call the default arrow is restored.
    void SetCursor(platform::NativeCursor cursor);
    // Brings hover up to date with where the pointer is now, after something else (a pop-up) had it.
    void UpdateHover();
    void SetBackgroundColour(platform::ColourRef colour) { background = colour; }
    // Drops every reference to an object (hover, capture, timers, queued redraws).
    void ForgetObject(TWGuiObject* object);
    // The same for an object and everything below it.
    void ForgetSubtree(TWGuiObject* object);

    void SetSize(int widthPx, int heightPx) override;
    void Draw(const platform::Rect& r) override;
    bool GetToolTipText(int posX, int posY, char* out, size_t size) override;

private:
    void OnNativeMouse(platform::NativeMouseMessage message, int posX, int posY, unsigned keyState) override;
    void OnNativeMouseLeave() override;
    void OnNativeKey(bool up, int virtualKey, unsigned modifiers) override;
    void OnNativeTimer(unsigned id) override;
    void OnNativePaint(const platform::CRegion& update) override;
    void OnNativeSize(int widthPx, int heightPx) override;
    void OnNativeActivate(bool active) override { OnActivate(active); }
    void OnNativeKillFocus() override;
    void OnNativeClose() override;

    bool CreateNativeWindow(const platform::NativeParent& parentWindow, int widthPx, int heightPx);
    void HandleMouseMove(int posX, int posY, unsigned keyState);
    // Delivers an event to the capture object in its coordinates, or down the tree.
    void DeliverMouse(int event, int posX, int posY, unsigned keyState);
    void SendMouse(TWGuiObject* object, int event, platform::Point windowPoint, unsigned keyState);
    void SendEnterLeave(TWGuiObject* object, int event, platform::Point windowPoint);
    // The pointer leaves whatever it hovered and any capture ends; with liftCapture the captured object
    // also gets the left button's release, as when the window loses activation mid-drag.
    void LeaveAndRelease(bool liftCapture);
    void OnRefreshTimer();
    void PaintRect(const platform::Rect& r);
    bool GrowBackBuffer(int widthPx, int heightPx);
    void DestroyNative();
    static bool TooltipText(void* userData, platform::Point windowPoint, char* out, size_t size);

    std::unique_ptr<platform::NativeWindow> native;
    bool created = false;
    images::CImage backBuffer;
    TWGuiObject* hover = nullptr;
    TWGuiObject* capture = nullptr;
    bool captured = false;
    bool trackLeave = false;
    platform::CRegion dirtyRegion;
    TWGuiWindowCallback* callback = nullptr;
    bool doubleClick = false;
    TWTimerRegistry timers;
    std::vector<std::pair<TWGuiObject*, platform::Rect>> postPaint;
    std::unique_ptr<TooltipController> tooltip;
    bool cursorSet = false;
    platform::ColourRef background = 0xffffff;
};

} // namespace gui
