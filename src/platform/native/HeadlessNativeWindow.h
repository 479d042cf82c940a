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
    unsigned long GetId() const override { return created_ ? 0x400001 : 0; }
    void Resize(int width, int height) override;
    void SetTitle(const char*) override {}
    void Invalidate(const images::Rect& r) override;
    void Present(const images::CImage& backBuffer, const images::Rect& r) override;
    bool SetTimer(unsigned id, unsigned periodMs) override;
    bool KillTimer(unsigned id) override;
    int GetLastError() const override { return lastError_; }
    void SetCapture() override { captured_ = true; }
    void ReleaseCapture() override { captured_ = false; }
    void TrackLeave(bool on) override { trackingLeave_ = on; }
    void SetFocus() override { ++focusCount_; }
    void SetCursor(NativeCursor cursor) override { cursor_ = cursor; }
    bool GetCursorPos(images::Point& p) const override;
    images::Point ToScreen(images::Point p) const override
    {
        return {p.x + screenOrigin_.x, p.y + screenOrigin_.y};
    }
    unsigned GetModifiers() const override { return modifiers_; }
    bool IsForeground() const override { return foreground_; }
    void ProcessEvents() override;
    int RunEventLoop() override;
    void Quit() override { quit_ = true; }
    std::unique_ptr<NativePopup> CreatePopup() override;

    // Test controls.
    void AdvanceTime(unsigned ms) { now_ += ms; }
    uint64_t Now() const { return now_; }
    void MoveMouse(int x, int y, unsigned keyState = 0);
    void Mouse(NativeMouseMessage message, int x, int y, unsigned keyState = 0);
    // A leave notification arrives only when one was asked for, as on the real systems.
    void LeaveWindow();
    void Key(bool up, int virtualKey) { Listener()->OnNativeKey(up, virtualKey, modifiers_); }
    void SetModifiers(unsigned modifiers) { modifiers_ = modifiers; }
    void SetForeground(bool foreground) { foreground_ = foreground; }
    // Moves the pointer without telling the window, as when something else has grabbed it.
    void SetCursorPos(images::Point p) { cursorPos_ = p; }
    void SetScreenOrigin(images::Point origin) { screenOrigin_ = origin; }
    void FailCreate(bool fail) { failCreate_ = fail; }
    void FailTimers(bool fail) { failTimers_ = fail; }

    const images::CImage& GetScreen() const { return screen_; }
    const std::vector<images::Rect>& GetPresented() const { return presented_; }
    void ClearPresented() { presented_.clear(); }
    const images::CRegion& GetPendingUpdate() const { return update_; }
    bool IsTimerSet(unsigned id) const { return timers_.IsSet(id); }
    bool HasCapture() const { return captured_; }
    bool IsTrackingLeave() const { return trackingLeave_; }
    int GetFocusCount() const { return focusCount_; }
    NativeCursor GetCursor() const { return cursor_; }
    bool IsCreated() const { return created_; }
    // The newest live popup this window made (popups belong to their users); null when none.
    HeadlessNativePopup* GetLastPopup() const { return popups_.empty() ? nullptr : popups_.back(); }
    void Forget(HeadlessNativePopup* popup);

    ~HeadlessNativeWindow() override;

private:
    NativeWindowListener* Listener();

    NativeWindowListener* listener_ = nullptr;
    bool created_ = false;
    images::CImage screen_;
    images::CRegion update_;
    std::vector<images::Rect> presented_;
    NativeTimerQueue timers_;
    uint64_t now_ = 0;
    images::Point cursorPos_{-1, -1};
    images::Point screenOrigin_{100, 100};
    unsigned modifiers_ = 0;
    int lastError_ = 0;
    int focusCount_ = 0;
    bool captured_ = false;
    bool trackingLeave_ = false;
    bool foreground_ = true;
    bool failCreate_ = false;
    bool failTimers_ = false;
    bool quit_ = false;
    NativeCursor cursor_ = NativeCursor::kArrow;
    std::vector<HeadlessNativePopup*> popups_;
};

} // namespace platform
