#include "formathost/HostPlugFrame.h"

#include <algorithm>

using namespace host;

namespace formathost
{

tresult VST3CALL HostPlugFrame::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IPlugFrame::iid))
        *object = static_cast<IPlugFrame*>(this);
    else if (runLoop && SameUid(interfaceId, IRunLoop::iid))
        *object = static_cast<IRunLoop*>(this);
    else
        *object = nullptr;
    return *object ? kResultOk : kNoInterface;
}

tresult VST3CALL HostPlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize)
        return kInvalidArgument;
    resizeRequests.push_back(*newSize);
    return kResultOk;
}

tresult VST3CALL HostPlugFrame::registerEventHandler(IEventHandler*, FileDescriptor)
{
    return kNotImplemented;
}

tresult VST3CALL HostPlugFrame::unregisterEventHandler(IEventHandler*)
{
    return kNotImplemented;
}

tresult VST3CALL HostPlugFrame::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
    if (!handler)
        return kInvalidArgument;
    registered.emplace_back(handler, milliseconds);
    return kResultOk;
}

tresult VST3CALL HostPlugFrame::unregisterTimer(ITimerHandler* handler)
{
    const auto found = std::find_if(registered.begin(), registered.end(),
                                    [handler](const auto& timer) { return timer.first == handler; });
    if (found == registered.end())
        return kInvalidArgument;
    registered.erase(found);
    return kResultOk;
}

void HostPlugFrame::fireTimers()
{
    const auto due = registered;
    for (const auto& timer : due)
        timer.first->onTimer();
}

} // namespace formathost
