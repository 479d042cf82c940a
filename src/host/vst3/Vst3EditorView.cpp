#include "host/vst3/Vst3EditorView.h"

#include <cstring>

#include "host/vst3/Vst3Controller.h"
#include "resources/Log.h"

namespace host
{

namespace
{
// The window type the editor opens in on this system.
#if defined(_WIN32)
constexpr const char* kSystemWindowType = kPlatformTypeHWND;
#else
constexpr const char* kSystemWindowType = kPlatformTypeX11EmbedWindowID;
#endif

bool isSystemWindowType(FIDString type)
{
    return type && std::strcmp(type, kSystemWindowType) == 0;
}
} // namespace

Vst3EditorView::Vst3EditorView(FUnknown& plugin, InstrumentDriver& instrument, Vst3Controller& controller)
    : owner(plugin), driver(instrument), controllerPart(controller)
{
    owner.addRef();
}

Vst3EditorView::~Vst3EditorView()
{
    stopTimer();
    driver.closeEditor();
    if (frame)
        frame->release();
    controllerPart.viewClosed(this);
    owner.release();
}

tresult VST3CALL Vst3EditorView::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IPlugView::iid))
        *object = static_cast<IPlugView*>(this);
    else if (SameUid(interfaceId, ITimerHandler::iid))
        *object = static_cast<ITimerHandler*>(this);
    else
    {
        *object = nullptr;
        return kNoInterface;
    }
    addRef();
    return kResultOk;
}

uint32_t VST3CALL Vst3EditorView::addRef()
{
    return ++references;
}

uint32_t VST3CALL Vst3EditorView::release()
{
    const uint32_t left = --references;
    if (left == 0)
        delete this;
    return left;
}

tresult VST3CALL Vst3EditorView::isPlatformTypeSupported(FIDString type)
{
    return isSystemWindowType(type) ? kResultTrue : kResultFalse;
}

tresult VST3CALL Vst3EditorView::attached(void* parent, FIDString type)
{
    if (!isSystemWindowType(type))
    {
        resources::LogFormatted("The editor was refused: the window type %s is not this system's (%s).",
                                type ? type : "(none)", kSystemWindowType);
        return kResultFalse;
    }
    if (!parent)
        return kInvalidArgument;
#if !defined(_WIN32)
    // An X11 editor drains its own events from the host's idle: without a run loop it would never draw.
    void* loop = nullptr;
    if (!frame || frame->queryInterface(IRunLoop::iid.bytes, &loop) != kResultOk || !loop)
    {
        resources::LogLine("The editor was refused: the host's frame offers no run loop to drive it.");
        return kResultFalse;
    }
    runLoop = static_cast<IRunLoop*>(loop);
#endif
    if (!driver.openEditor(parent))
    {
        stopTimer();
        return kResultFalse;
    }
    if (runLoop && runLoop->registerTimer(this, kIdlePeriodMs) != kResultOk)
        resources::LogLine("The host's run loop took no timer: the editor is idled by nothing.");
    return kResultOk;
}

tresult VST3CALL Vst3EditorView::removed()
{
    stopTimer();
    driver.closeEditor();
    return kResultOk;
}

void Vst3EditorView::stopTimer()
{
    if (!runLoop)
        return;
    runLoop->unregisterTimer(this);
    runLoop->release();
    runLoop = nullptr;
}

tresult VST3CALL Vst3EditorView::onWheel(float)
{
    return kResultFalse;
}

tresult VST3CALL Vst3EditorView::onKeyDown(char16, int16_t, int16_t)
{
    return kResultFalse;
}

tresult VST3CALL Vst3EditorView::onKeyUp(char16, int16_t, int16_t)
{
    return kResultFalse;
}

tresult VST3CALL Vst3EditorView::getSize(ViewRect* size)
{
    int width = 0;
    int height = 0;
    if (!size || !driver.editorSize(width, height))
        return kInvalidArgument;
    *size = ViewRect{0, 0, width, height};
    return kResultOk;
}

tresult VST3CALL Vst3EditorView::onSize(ViewRect* newSize)
{
    return newSize ? kResultOk : kInvalidArgument;
}

tresult VST3CALL Vst3EditorView::onFocus(TBool)
{
    return kResultOk;
}

tresult VST3CALL Vst3EditorView::setFrame(IPlugFrame* newFrame)
{
    if (newFrame)
        newFrame->addRef();
    if (frame)
        frame->release();
    frame = newFrame;
    return kResultOk;
}

tresult VST3CALL Vst3EditorView::canResize()
{
    return kResultFalse;
}

tresult VST3CALL Vst3EditorView::checkSizeConstraint(ViewRect* rect)
{
    // The editor has one size.
    return getSize(rect);
}

void VST3CALL Vst3EditorView::onTimer()
{
    driver.idleEditor();
}

bool Vst3EditorView::resize(int width, int height)
{
    ViewRect size{0, 0, width, height};
    return frame && frame->resizeView(this, &size) == kResultOk;
}

} // namespace host
