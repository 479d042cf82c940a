#include "platform/native/HeadlessNativeWindow.h"

#include <algorithm>

using namespace images;

namespace platform
{

namespace
{
// Listener used before creation and after destruction, so injected events go nowhere.
class NullListener : public NativeWindowListener
{
public:
    void OnNativeMouse(NativeMouseMessage, int, int, unsigned) override {}
    void OnNativeMouseLeave() override {}
    void OnNativeKey(bool, int, unsigned) override {}
    void OnNativeTimer(unsigned) override {}
    void OnNativePaint(const CRegion&) override {}
    void OnNativeSize(int, int) override {}
    void OnNativeActivate(bool) override {}
    void OnNativeKillFocus() override {}
    void OnNativeClose() override {}
};
NullListener gNullListener;
} // namespace

HeadlessNativeWindow::~HeadlessNativeWindow()
{
    Destroy();
    for (HeadlessNativePopup* popup : popups_)
        popup->Orphan();
}

NativeWindowListener* HeadlessNativeWindow::Listener()
{
    return listener_ ? listener_ : &gNullListener;
}

bool HeadlessNativeWindow::Create(const NativeParent&, int width, int height, NativeWindowListener* listener)
{
    if (failCreate_ || created_ || !screen_.Create(std::max(1, width), std::max(1, height)))
    {
        lastError_ = 1;
        return false;
    }
    listener_ = listener;
    created_ = true;
    return true;
}

void HeadlessNativeWindow::Destroy()
{
    created_ = false;
    listener_ = nullptr;
    timers_.Clear();
    update_.Clear();
    captured_ = trackingLeave_ = false;
}

void HeadlessNativeWindow::Resize(int width, int height)
{
    if (!created_ || width <= 0 || height <= 0)
        return;
    CImage bigger;
    if (!bigger.Create(width, height))
        return;
    bigger.CopyRect(screen_, screen_.GetRect(), 0, 0);
    screen_ = std::move(bigger);
    Listener()->OnNativeSize(width, height);
}

void HeadlessNativeWindow::Invalidate(const Rect& r)
{
    if (created_)
        update_.Add(Intersect(r, screen_.GetRect()));
}

void HeadlessNativeWindow::Present(const CImage& backBuffer, const Rect& r)
{
    presented_.push_back(r);
    screen_.CopyRect(backBuffer, r, r.left, r.top);
}

bool HeadlessNativeWindow::SetTimer(unsigned id, unsigned periodMs)
{
    if (failTimers_ || !created_)
    {
        lastError_ = 1400; // the code for an invalid window handle
        return false;
    }
    timers_.Set(id, periodMs, now_);
    return true;
}

bool HeadlessNativeWindow::KillTimer(unsigned id)
{
    if (failTimers_ || !timers_.Kill(id))
    {
        lastError_ = 1402;
        return false;
    }
    return true;
}

bool HeadlessNativeWindow::GetCursorPos(Point& p) const
{
    p = cursorPos_;
    return true;
}

void HeadlessNativeWindow::MoveMouse(int x, int y, unsigned keyState)
{
    Mouse(NativeMouseMessage::kMove, x, y, keyState);
}

void HeadlessNativeWindow::Mouse(NativeMouseMessage message, int x, int y, unsigned keyState)
{
    cursorPos_ = {x, y};
    Listener()->OnNativeMouse(message, x, y, keyState);
}

void HeadlessNativeWindow::LeaveWindow()
{
    cursorPos_ = {-1, -1};
    if (!trackingLeave_)
        return;
    trackingLeave_ = false;
    Listener()->OnNativeMouseLeave();
}

void HeadlessNativeWindow::ProcessEvents()
{
    for (unsigned id : timers_.TakeDue(now_))
        if (timers_.IsSet(id))
            Listener()->OnNativeTimer(id);
    if (!update_.IsEmpty())
    {
        const CRegion update = update_;
        update_.Clear();
        Listener()->OnNativePaint(update);
    }
}

int HeadlessNativeWindow::RunEventLoop()
{
    // Without a screen nothing can close the window; run until Quit, advancing time by ticks.
    quit_ = false;
    while (!quit_ && created_)
    {
        const int64_t wait = timers_.MsUntilNext(now_);
        if (wait < 0)
            break;
        now_ += static_cast<uint64_t>(wait);
        ProcessEvents();
    }
    return 0;
}

std::unique_ptr<NativePopup> HeadlessNativeWindow::CreatePopup()
{
    auto popup = std::make_unique<HeadlessNativePopup>(this);
    popups_.push_back(popup.get());
    return popup;
}

void HeadlessNativeWindow::Forget(HeadlessNativePopup* popup)
{
    popups_.erase(std::remove(popups_.begin(), popups_.end(), popup), popups_.end());
}

} // namespace platform
