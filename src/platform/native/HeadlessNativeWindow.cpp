#include "platform/native/HeadlessNativeWindow.h"

#include <algorithm>

using namespace images;

namespace platform
{

namespace
{
// Listener used before creation and after destruction, so injected events go nowhere.
NativeWindowListener gNullListener;
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
    if (failCreate || created || !screen_.Create(std::max(1, width), std::max(1, height)))
    {
        lastError = 1;
        return false;
    }
    listener_ = listener;
    created = true;
    return true;
}

void HeadlessNativeWindow::Destroy()
{
    created = false;
    listener_ = nullptr;
    timers.Clear();
    update_.Clear();
    captured = trackingLeave = false;
}

void HeadlessNativeWindow::Resize(int width, int height)
{
    if (!created || width <= 0 || height <= 0)
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
    if (created)
        update_.Add(Intersect(r, screen_.GetRect()));
}

void HeadlessNativeWindow::Present(const CImage& backBuffer, const Rect& r)
{
    presented.push_back(r);
    screen_.CopyRect(backBuffer, r, r.left, r.top);
}

bool HeadlessNativeWindow::SetTimer(unsigned id, unsigned periodMs)
{
    if (failTimers || !created)
    {
        lastError = 1400; // the code for an invalid window handle
        return false;
    }
    timers.Set(id, periodMs, now);
    return true;
}

bool HeadlessNativeWindow::KillTimer(unsigned id)
{
    if (failTimers || !timers.Kill(id))
    {
        lastError = 1402;
        return false;
    }
    return true;
}

bool HeadlessNativeWindow::GetCursorPos(Point& p) const
{
    p = cursorPos;
    return true;
}

void HeadlessNativeWindow::MoveMouse(int x, int y, unsigned keyState)
{
    Mouse(NativeMouseMessage::kMove, x, y, keyState);
}

void HeadlessNativeWindow::Mouse(NativeMouseMessage message, int x, int y, unsigned keyState)
{
    cursorPos = {x, y};
    Listener()->OnNativeMouse(message, x, y, keyState);
}

void HeadlessNativeWindow::LeaveWindow()
{
    cursorPos = {-1, -1};
    if (!trackingLeave)
        return;
    trackingLeave = false;
    Listener()->OnNativeMouseLeave();
}

void HeadlessNativeWindow::ProcessEvents()
{
    for (unsigned id : timers.TakeDue(now))
        if (timers.IsSet(id))
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
    quit = false;
    while (!quit && created)
    {
        const int64_t wait = timers.MsUntilNext(now);
        if (wait < 0)
            break;
        now += static_cast<uint64_t>(wait);
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
