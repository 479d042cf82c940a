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

TWGuiWindow::TWGuiWindow(std::unique_ptr<NativeWindow> native) : native_(std::move(native))
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
    if (native_)
        native_->Destroy();
    created = false;
    backBuffer.Destroy();
    dirtyRegion.Clear();
    postPaint.clear();
    hover_ = capture_ = nullptr;
}

bool TWGuiWindow::Initialize(const NativeParent& parent, int width, int height)
{
    if (!CreateNativeWindow(parent, width, height))
    {
        LogLine("TWGuiWindow::Initialize failed!");
        return false;
    }
    SetSize(width, height);
    if (!native_->SetTimer(REFRESH_TIMER, kRefreshPeriodMs))
        LogFormatted("****FAILED on TWGuiWindow::Initialize SetTimer failed - HWND=%d timerID = %d, "
                     "frequency=%d, lastError=%x",
                     static_cast<int>(native_->GetId()), static_cast<int>(REFRESH_TIMER),
                     static_cast<int>(kRefreshPeriodMs), native_->GetLastError());
    return true;
}

bool TWGuiWindow::CreateNativeWindow(const NativeParent& parent, int width, int height)
{
    if (!native_ || created || width <= 0 || height <= 0)
        return false;
    if (!GrowBackBuffer(width, height) || !native_->Create(parent, width, height, this))
    {
        backBuffer.Destroy();
        return false;
    }
    created = true;
    native_->SetFocus();
    tooltip = std::make_unique<TooltipController>(*native_, &TWGuiWindow::TooltipText, this, 500, 7000);
    return true;
}

void TWGuiWindow::Idle()
{
    if (created)
        native_->ProcessEvents();
}

int TWGuiWindow::RunEventLoop()
{
    return created ? native_->RunEventLoop() : -1;
}

bool TWGuiWindow::GrowBackBuffer(int width, int height)
{
    const int w = std::max(width, backBuffer.GetWidth());
    const int h = std::max(height, backBuffer.GetHeight());
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

void TWGuiWindow::SetSize(int width, int height)
{
    if (width == GetWidth() && height == GetHeight())
        return;
    if (created && !GrowBackBuffer(width, height))
        return;
    TWGuiContainer::SetSize(width, height);
    if (created)
        native_->Resize(width, height);
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
            native_->Invalidate(r);
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
    native_->Present(backBuffer, r);
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

void TWGuiWindow::OnNativeSize(int width, int height)
{
    if (width != GetWidth() || height != GetHeight())
    {
        SetSize(width, height);
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
        found = timers_.Find(id, entry);
    }
    if (found && entry.object)
        entry.object->OnTimer(entry.ownerData);
}

void TWGuiWindow::OnRefreshTimer()
{
    // Killed and set again around the work so that slow work cannot pile up ticks.
    if (!native_->KillTimer(REFRESH_TIMER))
        LogLine("****FAILED on TWGuiWindow::WM_TIMER KillTimer failed for REFRESH_TIMER");
    if (IsEnabled())
    {
        if (callback_)
            callback_->OnRefreshTick();
        FlushDirtyRegion();
    }
    if (!native_->SetTimer(REFRESH_TIMER, kRefreshPeriodMs))
        LogFormatted(
            "****FAILED on TWGuiWindow::WM_TIMER SetTimer failed - timerID = %d, frequency=%d, lastError=%x",
            static_cast<int>(REFRESH_TIMER), static_cast<int>(kRefreshPeriodMs), native_->GetLastError());
}

bool TWGuiWindow::StartTimer(TWGuiObject* object, void* ownerData, unsigned periodMs)
{
    if (!object)
        return false;
    CAutoLock hold(*this);
    const unsigned id = TWTimerRegistry::NextId();
    if (!created || !native_->SetTimer(id, periodMs))
    {
        LogFormatted("****FAILED on TWGuiWindow::StartTimer - timerID = %d, frequency=%d, lastError=%x",
                     static_cast<int>(id), static_cast<int>(periodMs), native_ ? native_->GetLastError() : 0);
        return false;
    }
    timers_.Add({ownerData, id, object});
    return true;
}

void TWGuiWindow::StopTimers(TWGuiObject* object)
{
    CAutoLock hold(*this);
    for (unsigned id : timers_.Remove(object, nullptr, true))
        if (created)
            native_->KillTimer(id);
}

void TWGuiWindow::StopTimer(TWGuiObject* object, void* ownerData)
{
    CAutoLock hold(*this);
    for (unsigned id : timers_.Remove(object, ownerData, false))
        if (created)
            native_->KillTimer(id);
}

void TWGuiWindow::ForgetObject(TWGuiObject* object)
{
    if (!object)
        return;
    StopTimers(object);
    CAutoLock hold(*this);
    if (hover_ == object)
        hover_ = nullptr;
    if (capture_ == object)
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

void TWGuiWindow::SetMouseCapture(TWGuiObject* object, bool trackLeave)
{
    if (captured_)
        ReleaseMouseCapture();
    capture_ = object;
    trackLeave_ = trackLeave;
    captured_ = true;
    if (!created)
        return;
    if (trackLeave)
        native_->TrackLeave(true);
    else
        native_->SetCapture();
}

void TWGuiWindow::ReleaseMouseCapture()
{
    const bool wasCaptured = captured_;
    capture_ = nullptr;
    captured_ = false;
    if (tooltip)
        tooltip->Hide();
    if (!created || !wasCaptured)
        return;
    if (trackLeave_)
        native_->TrackLeave(false);
    else
        native_->ReleaseCapture();
}

void TWGuiWindow::SetCursor(NativeCursor cursor)
{
    cursorSet = true;
    if (created)
        native_->SetCursor(cursor);
}

void TWGuiWindow::UpdateHover()
{
    Point cursor;
    if (created && !capture_ && native_->GetCursorPos(cursor))
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
    const unsigned modifiers = created ? native_->GetModifiers() : 0;
    SendMouse(object, event, windowPoint, modifiers);
    SendMouse(object->GetCompanion(), event, windowPoint, modifiers);
}

void TWGuiWindow::HandleMouseMove(int x, int y, unsigned keyState)
{
    cursorSet = false;
    TWGuiObject* const old = hover_;
    hover_ = nullptr;
    if (!capture_)
    {
        OnMouse(kMouseMove, x, y, keyState);
    }
    else
    {
        TWGuiObject* captured = capture_;
        SendMouse(captured, kMouseMove, {x, y}, keyState);
        if (capture_ == captured && captured->GetAbsRect().Contains(x, y) &&
            captured->HitTest(x - captured->GetAbsX(), y - captured->GetAbsY()))
            hover_ = captured;
    }
    if (hover_ != old && (!capture_ || trackLeave_))
    {
        SendEnterLeave(old, kMouseLeave, {x, y});
        SendEnterLeave(hover_, kMouseEnter, {x, y});
    }
    if (tooltip)
        tooltip->RelayMouse(NativeMouseMessage::kMove, {x, y});
    if (!cursorSet && created)
        native_->SetCursor(NativeCursor::kArrow);
}

void TWGuiWindow::DeliverMouse(int event, int x, int y, unsigned keyState)
{
    if (capture_)
        SendMouse(capture_, event, {x, y}, keyState);
    else
        OnMouse(event, x, y, keyState);
}

void TWGuiWindow::OnNativeMouse(NativeMouseMessage message, int x, int y, unsigned keyState)
{
    if (!created)
        return;
    switch (message)
    {
    case NativeMouseMessage::kMove:
        HandleMouseMove(x, y, keyState);
        break;
    case NativeMouseMessage::kLeftDown:
        HandleMouseMove(x, y, keyState);
        native_->SetFocus();
        if (tooltip)
            tooltip->RelayMouse(message, {x, y});
        doubleClick = false;
        DeliverMouse(kMouseLeftDown, x, y, keyState);
        break;
    case NativeMouseMessage::kLeftUp:
        if (tooltip)
            tooltip->RelayMouse(message, {x, y});
        DeliverMouse(doubleClick ? kMouseLeftUpAfterDoubleClick : kMouseLeftUp, x, y, keyState);
        break;
    case NativeMouseMessage::kLeftDoubleClick:
        doubleClick = true;
        OnMouse(kMouseLeftDoubleClick, x, y, keyState);
        break;
    case NativeMouseMessage::kRightDown:
        if (tooltip)
            tooltip->RelayMouse(message, {x, y});
        DeliverMouse(kMouseRightDown, x, y, keyState);
        break;
    case NativeMouseMessage::kRightUp:
        if (tooltip)
            tooltip->RelayMouse(message, {x, y});
        DeliverMouse(kMouseRightUp, x, y, keyState);
        break;
    }
}

void TWGuiWindow::LeaveAndRelease(bool liftCapture)
{
    Point cursor{-1, -1};
    native_->GetCursorPos(cursor);
    TWGuiObject* const old = hover_;
    TWGuiObject* const captured = capture_;
    hover_ = nullptr;
    SendEnterLeave(old, kMouseLeave, cursor);
    if (liftCapture)
        SendMouse(captured, kMouseLeftUp, cursor, native_->GetModifiers());
    if (captured_)
        ReleaseMouseCapture();
    capture_ = nullptr;
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
        native_->SetFocus();
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
    if (capture_ && capture_->OnKey(event, virtualKey, modifiers))
        return;
    if (hover_ && hover_->OnKey(event, virtualKey, modifiers))
        return;
    OnKey(event, virtualKey, modifiers);
}

void TWGuiWindow::OnNativeClose()
{
    if (created)
        native_->Quit();
}

bool TWGuiWindow::GetToolTipText(int x, int y, char* out, size_t size)
{
    TWGuiObject* source = capture_;
    if (!source && hover_ && hover_->GetAbsRect().Contains(x, y))
        source = hover_;
    return source && source->GetToolTipText(x - source->GetAbsX(), y - source->GetAbsY(), out, size);
}

bool TWGuiWindow::TooltipText(void* userData, Point windowPoint, char* out, size_t size)
{
    return static_cast<TWGuiWindow*>(userData)->GetToolTipText(windowPoint.x, windowPoint.y, out, size);
}

} // namespace gui
