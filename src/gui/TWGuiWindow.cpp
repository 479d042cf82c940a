#include "gui/TWGuiWindow.h"

#include <algorithm>
#include <new>

#include "resources/Log.h"

using namespace images;
using namespace platform;
using namespace resources;

namespace gui
{

using resources::LogFormatted;
using resources::LogLine;

namespace
{
// What a failed allocation reports as its error code.
constexpr int kOutOfMemory = 8;
} // namespace

TWGuiWindow::TWGuiWindow() : TWGuiWindow(NativeWindow::CreateDefault()) {}

TWGuiWindow::TWGuiWindow(std::unique_ptr<NativeWindow> nativeWindow) : native(std::move(nativeWindow))
{
    SetKind(kKindWindow);
    SetAcceptsHover(false);
}

TWGuiWindow::~TWGuiWindow()
{
    // Children outlive the window in some owners' orders; they must not reach back into it.
    DetachChildren();
    DestroyNative();
    // From here on this is no window: nothing may reach it as one.
    SetKind(kKindContainer);
}

void TWGuiWindow::DestroyNative()
{
    tooltip.reset();
    if (native)
        native->Destroy();
    created = false;
    backBuffer.Destroy();
    dirtyRegion.Clear();
    postPaint.clear();
    hover = capture = nullptr;
}

bool TWGuiWindow::Initialize(const NativeParent& parentWindow, int widthPx, int heightPx)
{
    if (!CreateNativeWindow(parentWindow, widthPx, heightPx))
    {
        LogLine("TWGuiWindow::Initialize failed!");
        return false;
    }
    SetSize(widthPx, heightPx);
    if (!native->SetTimer(REFRESH_TIMER, kRefreshPeriodMs))
        LogFormatted("****FAILED on TWGuiWindow::Initialize SetTimer failed - HWND=%d timerID = %d, "
                     "frequency=%d, lastError=%x",
                     static_cast<int>(native->GetId()), static_cast<int>(REFRESH_TIMER),
                     static_cast<int>(kRefreshPeriodMs), native->GetLastError());
    return true;
}

bool TWGuiWindow::CreateNativeWindow(const NativeParent& parentWindow, int widthPx, int heightPx)
{
    if (!native || created || widthPx <= 0 || heightPx <= 0)
        return false;
    if (!GrowBackBuffer(widthPx, heightPx) || !native->Create(parentWindow, widthPx, heightPx, this))
    {
        backBuffer.Destroy();
        return false;
    }
    created = true;
    native->SetFocus();
    tooltip = std::make_unique<TooltipController>(*native, &TWGuiWindow::TooltipText, this, 500, 7000);
    return true;
}

void TWGuiWindow::Idle()
{
    if (created)
        native->ProcessEvents();
}

int TWGuiWindow::RunEventLoop()
{
    return created ? native->RunEventLoop() : -1;
}

bool TWGuiWindow::GrowBackBuffer(int widthPx, int heightPx)
{
    const int w = std::max(widthPx, backBuffer.GetWidth());
    const int h = std::max(heightPx, backBuffer.GetHeight());
    if (w == backBuffer.GetWidth() && h == backBuffer.GetHeight())
        return true;
    CImage bigger;
    if (!bigger.Create(w, h))
        return false;
    if (backBuffer.IsValid())
        bigger.CopyRect(backBuffer, backBuffer.GetRect(), 0, 0);
    backBuffer = std::move(bigger);
    return true;
}

void TWGuiWindow::SetSize(int widthPx, int heightPx)
{
    if (widthPx == GetWidth() && heightPx == GetHeight())
        return;
    if (created && !GrowBackBuffer(widthPx, heightPx))
        return;
    TWGuiContainer::SetSize(widthPx, heightPx);
    if (created)
        native->Resize(widthPx, heightPx);
}

void TWGuiWindow::Draw(const Rect& r)
{
    if (CImage* buffer = GetBackBuffer())
        buffer->FillRect(r, background);
}

void TWGuiWindow::InvalidateMainWindow(const Rect& r)
{
    CAutoLock hold(*this);
    try
    {
        dirtyRegion.Add(Intersect(r, GetLocalRect()));
    }
    catch (const std::bad_alloc&)
    {
        LogFormatted("** CombineRgn Assert in TWGuiWindow::InvalidateMainWindow. Last Error = %i",
                     kOutOfMemory);
    }
}

CRegion TWGuiWindow::GetDirtyRegion()
{
    CAutoLock hold(*this);
    return dirtyRegion;
}

void TWGuiWindow::FlushDirtyRegion()
{
    CAutoLock hold(*this);
    if (created)
        for (const Rect& r : dirtyRegion.Rects())
            native->Invalidate(r);
    dirtyRegion.Clear();
}

void TWGuiWindow::PostRedraw(TWGuiObject* object, const Rect& r)
{
    if (!object)
        return;
    CAutoLock hold(*this);
    postPaint.emplace_back(object, r);
}

void TWGuiWindow::PaintRect(const Rect& r)
{
    if (IsEnabled())
        PaintIfDirty(r);
    native->Present(backBuffer, r);
}

void TWGuiWindow::OnNativePaint(const CRegion& update)
{
    if (!created || update.IsEmpty())
        return;
    if (update.Count() <= kMaxPaintRects)
    {
        for (const Rect& r : update.Rects())
            PaintRect(r);
    }
    else
    {
        PaintRect(update.Bounds());
    }
    std::vector<std::pair<TWGuiObject*, Rect>> queued;
    {
        CAutoLock hold(*this);
        queued.swap(postPaint);
    }
    for (auto& [object, r] : queued)
        object->Redraw(&r);
}

void TWGuiWindow::OnNativeSize(int widthPx, int heightPx)
{
    if (widthPx != GetWidth() || heightPx != GetHeight())
    {
        SetSize(widthPx, heightPx);
        FlushDirtyRegion();
    }
}

void TWGuiWindow::OnNativeTimer(unsigned id)
{
    if (id == REFRESH_TIMER)
    {
        OnRefreshTimer();
        return;
    }
    if (tooltip && tooltip->OnTimer(id))
        return;
    TWTimerRegistry::Entry entry{};
    bool found;
    {
        CAutoLock hold(*this);
        found = timers.Find(id, entry);
    }
    if (found && entry.object)
        entry.object->OnTimer(entry.ownerData);
}

void TWGuiWindow::OnRefreshTimer()
{
    // Killed and set again around the work so that slow work cannot pile up ticks.
    if (!native->KillTimer(REFRESH_TIMER))
        LogLine("****FAILED on TWGuiWindow::WM_TIMER KillTimer failed for REFRESH_TIMER");
    if (IsEnabled())
    {
        if (callback)
            callback->OnRefreshTick();
        FlushDirtyRegion();
    }
    if (!native->SetTimer(REFRESH_TIMER, kRefreshPeriodMs))
        LogFormatted(
            "****FAILED on TWGuiWindow::WM_TIMER SetTimer failed - timerID = %d, frequency=%d, lastError=%x",
            static_cast<int>(REFRESH_TIMER), static_cast<int>(kRefreshPeriodMs), native->GetLastError());
}

bool TWGuiWindow::StartTimer(TWGuiObject* object, void* ownerData, unsigned periodMs)
{
    if (!object)
        return false;
    CAutoLock hold(*this);
    const unsigned id = TWTimerRegistry::NextId();
    if (!created || !native->SetTimer(id, periodMs))
    {
        LogFormatted("****FAILED on TWGuiWindow::StartTimer - timerID = %d, frequency=%d, lastError=%x",
                     static_cast<int>(id), static_cast<int>(periodMs), native ? native->GetLastError() : 0);
        return false;
    }
    timers.Add({ownerData, id, object});
    return true;
}

void TWGuiWindow::StopTimers(TWGuiObject* object)
{
    CAutoLock hold(*this);
    for (unsigned id : timers.Remove(object, nullptr, true))
        if (created)
            native->KillTimer(id);
}

void TWGuiWindow::StopTimer(TWGuiObject* object, void* ownerData)
{
    CAutoLock hold(*this);
    for (unsigned id : timers.Remove(object, ownerData, false))
        if (created)
            native->KillTimer(id);
}

void TWGuiWindow::ForgetObject(TWGuiObject* object)
{
    if (!object)
        return;
    StopTimers(object);
    CAutoLock hold(*this);
    if (hover == object)
        hover = nullptr;
    if (capture == object)
        ReleaseMouseCapture();
    postPaint.erase(std::remove_if(postPaint.begin(), postPaint.end(),
                                   [object](const auto& entry) { return entry.first == object; }),
                    postPaint.end());
}

void TWGuiWindow::ForgetSubtree(TWGuiObject* object)
{
    if (!object)
        return;
    // A container already half destroyed is no container any more: its children are detached.
    if (const auto* container = dynamic_cast<const TWGuiContainer*>(object))
    {
        for (TWGuiObject* child : container->GetChildren())
            ForgetSubtree(child);
        for (TWGuiObject* child : container->GetFloatingChildren())
            ForgetSubtree(child);
    }
    ForgetObject(object);
}

void TWGuiWindow::SetMouseCapture(TWGuiObject* object, bool reportLeave)
{
    if (captured)
        ReleaseMouseCapture();
    capture = object;
    trackLeave = reportLeave;
    captured = true;
    if (!created)
        return;
    if (reportLeave)
        native->TrackLeave(true);
    else
        native->SetCapture();
}

void TWGuiWindow::ReleaseMouseCapture()
{
    const bool wasCaptured = captured;
    capture = nullptr;
    captured = false;
    if (tooltip)
        tooltip->Hide();
    if (!created || !wasCaptured)
        return;
    if (trackLeave)
        native->TrackLeave(false);
    else
        native->ReleaseCapture();
}

void TWGuiWindow::SetCursor(NativeCursor cursor)
{
    cursorSet = true;
    if (created)
        native->SetCursor(cursor);
}

void TWGuiWindow::UpdateHover()
{
    Point cursor;
    if (created && !capture && native->GetCursorPos(cursor))
        HandleMouseMove(cursor.x, cursor.y, 0);
}

void TWGuiWindow::SendMouse(TWGuiObject* object, int event, Point windowPoint, unsigned keyState)
{
    if (!object)
        return;
    object->OnMouse(event, windowPoint.x - object->GetAbsX(), windowPoint.y - object->GetAbsY(), keyState);
}

void TWGuiWindow::SendEnterLeave(TWGuiObject* object, int event, Point windowPoint)
{
    if (!object)
        return;
    const unsigned modifiers = created ? native->GetModifiers() : 0;
    SendMouse(object, event, windowPoint, modifiers);
    SendMouse(object->GetCompanion(), event, windowPoint, modifiers);
}

void TWGuiWindow::HandleMouseMove(int posX, int posY, unsigned keyState)
{
    cursorSet = false;
    TWGuiObject* const old = hover;
    hover = nullptr;
    if (!capture)
    {
        OnMouse(kMouseMove, posX, posY, keyState);
    }
    else
    {
        TWGuiObject* captureTarget = capture;
        SendMouse(captureTarget, kMouseMove, {posX, posY}, keyState);
        if (capture == captureTarget && captureTarget->GetAbsRect().Contains(posX, posY) &&
            captureTarget->HitTest(posX - captureTarget->GetAbsX(), posY - captureTarget->GetAbsY()))
            hover = captureTarget;
    }
    if (hover != old && (!capture || trackLeave))
    {
        SendEnterLeave(old, kMouseLeave, {posX, posY});
        SendEnterLeave(hover, kMouseEnter, {posX, posY});
    }
    if (tooltip)
        tooltip->RelayMouse(NativeMouseMessage::kMove, {posX, posY});
    if (!cursorSet && created)
        native->SetCursor(NativeCursor::kArrow);
}

void TWGuiWindow::DeliverMouse(int event, int posX, int posY, unsigned keyState)
{
    if (capture)
        SendMouse(capture, event, {posX, posY}, keyState);
    else
        OnMouse(event, posX, posY, keyState);
}

void TWGuiWindow::OnNativeMouse(NativeMouseMessage message, int posX, int posY, unsigned keyState)
{
    if (!created)
        return;
    switch (message)
    {
    case NativeMouseMessage::kMove:
        HandleMouseMove(posX, posY, keyState);
        break;
    case NativeMouseMessage::kLeftDown:
        HandleMouseMove(posX, posY, keyState);
        native->SetFocus();
        if (tooltip)
            tooltip->RelayMouse(message, {posX, posY});
        doubleClick = false;
        DeliverMouse(kMouseLeftDown, posX, posY, keyState);
        break;
    case NativeMouseMessage::kLeftUp:
        if (tooltip)
            tooltip->RelayMouse(message, {posX, posY});
        DeliverMouse(doubleClick ? kMouseLeftUpAfterDoubleClick : kMouseLeftUp, posX, posY, keyState);
        break;
    case NativeMouseMessage::kLeftDoubleClick:
        doubleClick = true;
        OnMouse(kMouseLeftDoubleClick, posX, posY, keyState);
        break;
    case NativeMouseMessage::kRightDown:
        if (tooltip)
            tooltip->RelayMouse(message, {posX, posY});
        DeliverMouse(kMouseRightDown, posX, posY, keyState);
        break;
    case NativeMouseMessage::kRightUp:
        if (tooltip)
            tooltip->RelayMouse(message, {posX, posY});
        DeliverMouse(kMouseRightUp, posX, posY, keyState);
        break;
    }
}

void TWGuiWindow::LeaveAndRelease(bool liftCapture)
{
    Point cursor{-1, -1};
    native->GetCursorPos(cursor);
    TWGuiObject* const old = hover;
    TWGuiObject* const captureTarget = capture;
    hover = nullptr;
    SendEnterLeave(old, kMouseLeave, cursor);
    if (liftCapture)
        SendMouse(captureTarget, kMouseLeftUp, cursor, native->GetModifiers());
    if (captured)
        ReleaseMouseCapture();
    capture = nullptr;
}

void TWGuiWindow::OnNativeMouseLeave()
{
    LeaveAndRelease(false);
}

void TWGuiWindow::OnActivate(bool active)
{
    if (!created)
        return;
    if (active)
    {
        native->SetFocus();
        return;
    }
    LeaveAndRelease(true);
}

void TWGuiWindow::OnNativeKillFocus()
{
    LeaveAndRelease(false);
}

void TWGuiWindow::OnNativeKey(bool up, int virtualKey, unsigned modifiers)
{
    const int event = up ? kKeyUp : kKeyDown;
    if (capture && capture->OnKey(event, virtualKey, modifiers))
        return;
    if (hover && hover->OnKey(event, virtualKey, modifiers))
        return;
    OnKey(event, virtualKey, modifiers);
}

void TWGuiWindow::OnNativeClose()
{
    if (created)
        native->Quit();
}

bool TWGuiWindow::GetToolTipText(int posX, int posY, char* out, size_t size)
{
    TWGuiObject* source = capture;
    if (!source && hover && hover->GetAbsRect().Contains(posX, posY))
        source = hover;
    return source && source->GetToolTipText(posX - source->GetAbsX(), posY - source->GetAbsY(), out, size);
}

bool TWGuiWindow::TooltipText(void* userData, Point windowPoint, char* out, size_t size)
{
    return static_cast<TWGuiWindow*>(userData)->GetToolTipText(windowPoint.x, windowPoint.y, out, size);
}

} // namespace gui
