#include "platform/native/HeadlessNativeWindow.h"

#include <algorithm>

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
    for (HeadlessNativePopup* popup : popups)
        popup->Orphan();
}

NativeWindowListener* HeadlessNativeWindow::Listener()
{
    return listener ? listener : &gNullListener;
}

bool HeadlessNativeWindow::Create(const NativeParent&, int width, int height,
                                  NativeWindowListener* newListener)
{
    if (failCreate || created || !screen.Create(std::max(1, width), std::max(1, height)))
    {
        lastError = 1;
        return false;
    }
    listener = newListener;
    created = true;
    return true;
}

void HeadlessNativeWindow::Destroy()
{
    created = false;
    listener = nullptr;
    timers.Clear();
    update.Clear();
    captured = trackingLeave = false;
}

void HeadlessNativeWindow::Resize(int width, int height)
{
    if (!created || width <= 0 || height <= 0)
        return;
    PixelBuffer bigger;
    if (!bigger.Create(width, height))
        return;
    bigger.CopyRect(screen, screen.GetRect(), 0, 0);
    screen = std::move(bigger);
    Listener()->OnNativeSize(width, height);
}

void HeadlessNativeWindow::Invalidate(const Rect& r)
{
    if (created)
        update.Add(Intersect(r, screen.GetRect()));
}

void HeadlessNativeWindow::Present(const PixelBuffer& backBuffer, const Rect& r)
{
    presented.push_back(r);
    screen.CopyRect(backBuffer, r, r.left, r.top);
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
    if (!update.IsEmpty())
    {
        const CRegion pending = update;
        update.Clear();
        Listener()->OnNativePaint(pending);
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
    popups.push_back(popup.get());
    return popup;
}

void HeadlessNativeWindow::Forget(HeadlessNativePopup* popup)
{
    popups.erase(std::remove(popups.begin(), popups.end(), popup), popups.end());
}

} // namespace platform
