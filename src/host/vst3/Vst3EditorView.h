// The VST3 plug-in's editor view: the instrument's own editor, opened in the host's window (an X11 window ID
// on Linux, an HWND on Windows). On Linux the host's run loop drives it: a timer every 40 ms calls the
// editor's idle on the host's user-interface thread. The view keeps the plug-in alive while it lives.
// The host's user-interface thread.
#pragma once

#include <atomic>

#include "host/InstrumentDriver.h"
#include "host/vst3/Vst3Interface.h"

namespace host
{

class Vst3Controller;

class Vst3EditorView final : public IPlugView, public ITimerHandler
{
public:
    // The period of the editor's idle calls.
    static constexpr TimerInterval kIdlePeriodMs = 40;

    Vst3EditorView(FUnknown& plugin, InstrumentDriver& instrument, Vst3Controller& controller);
    Vst3EditorView(const Vst3EditorView&) = delete;
    Vst3EditorView& operator=(const Vst3EditorView&) = delete;

    tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override;
    uint32_t VST3CALL release() override;

    tresult VST3CALL isPlatformTypeSupported(FIDString type) override;
    // Refuses a window type other than the system's, and on Linux a host without a run loop.
    tresult VST3CALL attached(void* parent, FIDString type) override;
    tresult VST3CALL removed() override;
    tresult VST3CALL onWheel(float distance) override;
    tresult VST3CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) override;
    tresult VST3CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) override;
    tresult VST3CALL getSize(ViewRect* size) override;
    tresult VST3CALL onSize(ViewRect* newSize) override;
    tresult VST3CALL onFocus(TBool state) override;
    tresult VST3CALL setFrame(IPlugFrame* newFrame) override;
    tresult VST3CALL canResize() override;
    tresult VST3CALL checkSizeConstraint(ViewRect* rect) override;

    void VST3CALL onTimer() override;

    // Asks the host's frame for another size.
    bool resize(int width, int height);

private:
    ~Vst3EditorView();
    void stopTimer();

    std::atomic<uint32_t> references{1};
    FUnknown& owner;
    InstrumentDriver& driver;
    Vst3Controller& controllerPart;
    IPlugFrame* frame = nullptr;
    IRunLoop* runLoop = nullptr;
};

} // namespace host
