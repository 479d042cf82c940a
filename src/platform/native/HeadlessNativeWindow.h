#pragma once
// A native window without a screen, for tests: events are injected, time is advanced by hand, and
// what the toolkit presents lands in a readable screen image with a record of the rectangles copied.
#include <cstdint>
#include <vector>

#include "platform/native/HeadlessNativePopup.h"
#include "platform/native/NativeTimerQueue.h"
#include "platform/native/NativeWindow.h"

namespace platform
{

class HeadlessNativeWindow : public NativeWindow
{
public:
    bool Create(const NativeParent& parent, int width, int height,
                NativeWindowListener* newListener) override;
    void Destroy() override;
    unsigned long GetId() const override { return created ? 0x400001 : 0; }
    void Resize(int width, int height) override;
    void SetTitle(const char*) override {}
    void Invalidate(const Rect& r) override;
    void Present(const PixelBuffer& backBuffer, const Rect& r) override;
    bool SetTimer(unsigned id, unsigned periodMs) override;
    bool KillTimer(unsigned id) override;
    int GetLastError() const override { return lastError; }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    void TrackLeave(bool on) override { trackingLeave = on; }
    void SetFocus() override { ++focusCount; }
    void SetCursor(NativeCursor newCursor) override { cursor = newCursor; }
    bool GetCursorPos(Point& p) const override;
    Point ToScreen(Point p) const override { return {p.x + screenOrigin.x, p.y + screenOrigin.y}; }
    unsigned GetModifiers() const override { return modifiers; }
    bool IsForeground() const override { return foreground; }
    void ProcessEvents() override;
    int RunEventLoop() override;
    void Quit() override { quit = true; }
    std::unique_ptr<NativePopup> CreatePopup() override;

    // Test controls.
    void AdvanceTime(unsigned ms) { now += ms; }
    uint64_t Now() const { return now; }
    void MoveMouse(int x, int y, unsigned keyState = 0);
    void Mouse(NativeMouseMessage message, int x, int y, unsigned keyState = 0);
    // A leave notification arrives only when one was asked for, as on the real systems.
    void LeaveWindow();
    void Key(bool up, int virtualKey) { Listener()->OnNativeKey(up, virtualKey, modifiers); }
    void SetModifiers(unsigned newModifiers) { modifiers = newModifiers; }
    void SetForeground(bool isForeground) { foreground = isForeground; }
    // Moves the pointer without telling the window, as when something else has grabbed it.
    void SetCursorPos(Point p) { cursorPos = p; }
    void SetScreenOrigin(Point origin) { screenOrigin = origin; }
    void FailCreate(bool fail) { failCreate = fail; }
    void FailTimers(bool fail) { failTimers = fail; }

    const PixelBuffer& GetScreen() const { return screen; }
    const std::vector<Rect>& GetPresented() const { return presented; }
    void ClearPresented() { presented.clear(); }
    const CRegion& GetPendingUpdate() const { return update; }
    bool IsTimerSet(unsigned id) const { return timers.IsSet(id); }
    bool HasCapture() const { return captured; }
    bool IsTrackingLeave() const { return trackingLeave; }
    int GetFocusCount() const { return focusCount; }
    NativeCursor GetCursor() const { return cursor; }
    bool IsCreated() const { return created; }
    // The newest live popup this window made (popups belong to their users); null when none.
    HeadlessNativePopup* GetLastPopup() const { return popups.empty() ? nullptr : popups.back(); }
    void Forget(HeadlessNativePopup* popup);

    ~HeadlessNativeWindow() override;

private:
    NativeWindowListener* Listener();

    NativeWindowListener* listener = nullptr;
    bool created = false;
    PixelBuffer screen;
    CRegion update;
    std::vector<Rect> presented;
    NativeTimerQueue timers;
    uint64_t now = 0;
    Point cursorPos{-1, -1};
    Point screenOrigin{100, 100};
    unsigned modifiers = 0;
    int lastError = 0;
    int focusCount = 0;
    bool captured = false;
    bool trackingLeave = false;
    bool foreground = true;
    bool failCreate = false;
    bool failTimers = false;
    bool quit = false;
    NativeCursor cursor = NativeCursor::kArrow;
    std::vector<HeadlessNativePopup*> popups;
};

} // namespace platform
