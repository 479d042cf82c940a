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
    bool Create(const NativeParent& parent, int width, int height, NativeWindowListener* listener) override;
    void Destroy() override;
    unsigned long GetId() const override { return created ? 0x400001 : 0; }
    void Resize(int width, int height) override;
    void SetTitle(const char*) override {}
    void Invalidate(const images::Rect& r) override;
    void Present(const images::CImage& backBuffer, const images::Rect& r) override;
    bool SetTimer(unsigned id, unsigned periodMs) override;
    bool KillTimer(unsigned id) override;
    int GetLastError() const override { return lastError; }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    void TrackLeave(bool on) override { trackingLeave = on; }
    void SetFocus() override { ++focusCount; }
    void SetCursor(NativeCursor cursor) override { cursor_ = cursor; }
    bool GetCursorPos(images::Point& p) const override;
    images::Point ToScreen(images::Point p) const override
    {
        return {p.x + screenOrigin.x, p.y + screenOrigin.y};
    }
    unsigned GetModifiers() const override { return modifiers_; }
    bool IsForeground() const override { return foreground_; }
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
    void Key(bool up, int virtualKey) { Listener()->OnNativeKey(up, virtualKey, modifiers_); }
    void SetModifiers(unsigned modifiers) { modifiers_ = modifiers; }
    void SetForeground(bool foreground) { foreground_ = foreground; }
    // Moves the pointer without telling the window, as when something else has grabbed it.
    void SetCursorPos(images::Point p) { cursorPos = p; }
    void SetScreenOrigin(images::Point origin) { screenOrigin = origin; }
    void FailCreate(bool fail) { failCreate = fail; }
    void FailTimers(bool fail) { failTimers = fail; }

    const images::CImage& GetScreen() const { return screen_; }
    const std::vector<images::Rect>& GetPresented() const { return presented; }
    void ClearPresented() { presented.clear(); }
    const images::CRegion& GetPendingUpdate() const { return update_; }
    bool IsTimerSet(unsigned id) const { return timers.IsSet(id); }
    bool HasCapture() const { return captured; }
    bool IsTrackingLeave() const { return trackingLeave; }
    int GetFocusCount() const { return focusCount; }
    NativeCursor GetCursor() const { return cursor_; }
    bool IsCreated() const { return created; }
    // The newest live popup this window made (popups belong to their users); null when none.
    HeadlessNativePopup* GetLastPopup() const { return popups_.empty() ? nullptr : popups_.back(); }
    void Forget(HeadlessNativePopup* popup);

    ~HeadlessNativeWindow() override;

private:
    NativeWindowListener* Listener();

    NativeWindowListener* listener_ = nullptr;
    bool created = false;
    images::CImage screen_;
    images::CRegion update_;
    std::vector<images::Rect> presented;
    NativeTimerQueue timers;
    uint64_t now = 0;
    images::Point cursorPos{-1, -1};
    images::Point screenOrigin{100, 100};
    unsigned modifiers_ = 0;
    int lastError = 0;
    int focusCount = 0;
    bool captured = false;
    bool trackingLeave = false;
    bool foreground_ = true;
    bool failCreate = false;
    bool failTimers = false;
    bool quit = false;
    NativeCursor cursor_ = NativeCursor::kArrow;
    std::vector<HeadlessNativePopup*> popups_;
};

} // namespace platform
