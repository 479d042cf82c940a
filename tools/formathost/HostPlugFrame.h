// The frame a VST3 host gives a plug-in's editor view: it takes the view's resize requests, and on Linux
// answers for the host's run loop, whose timers the test fires by hand. Owned by the host; its
// user-interface thread.
#pragma once

#include <utility>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class HostPlugFrame : public host::IPlugFrame, public host::IRunLoop
{
public:
    // withRunLoop: whether the frame answers for a run loop, as Linux hosts do.
    explicit HostPlugFrame(bool withRunLoop) : runLoop(withRunLoop) {}

    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override { return 1; }
    uint32_t VST3CALL release() override { return 1; }
    host::tresult VST3CALL resizeView(host::IPlugView* view, host::ViewRect* newSize) override;
    host::tresult VST3CALL registerEventHandler(host::IEventHandler* handler,
                                                host::FileDescriptor fd) override;
    host::tresult VST3CALL unregisterEventHandler(host::IEventHandler* handler) override;
    host::tresult VST3CALL registerTimer(host::ITimerHandler* handler,
                                         host::TimerInterval milliseconds) override;
    host::tresult VST3CALL unregisterTimer(host::ITimerHandler* handler) override;

    // Calls every registered timer once, as the run loop does when their period has passed.
    void fireTimers();
    const std::vector<std::pair<host::ITimerHandler*, host::TimerInterval>>& timers() const
    {
        return registered;
    }
    const std::vector<host::ViewRect>& resizes() const { return resizeRequests; }

private:
    bool runLoop;
    std::vector<std::pair<host::ITimerHandler*, host::TimerInterval>> registered;
    std::vector<host::ViewRect> resizeRequests;
};

} // namespace formathost
