#include "formathost/HostComponentHandler.h"

using namespace host;

namespace formathost
{

tresult VST3CALL HostComponentHandler::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IComponentHandler::iid)
                  ? static_cast<IComponentHandler*>(this)
                  : nullptr;
    if (!*object)
        return kNoInterface;
    addRef();
    return kResultOk;
}

uint32_t VST3CALL HostComponentHandler::addRef()
{
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<uint32_t>(++held);
}

uint32_t VST3CALL HostComponentHandler::release()
{
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<uint32_t>(--held);
}

void HostComponentHandler::record(const HostEdit& edit)
{
    std::lock_guard<std::mutex> guard(lock);
    recorded.push_back(edit);
}

tresult VST3CALL HostComponentHandler::beginEdit(ParamID id)
{
    record({HostEdit::Begin, id, 0.0});
    return kResultOk;
}

tresult VST3CALL HostComponentHandler::performEdit(ParamID id, ParamValue valueNormalized)
{
    record({HostEdit::Perform, id, valueNormalized});
    return kResultOk;
}

tresult VST3CALL HostComponentHandler::endEdit(ParamID id)
{
    record({HostEdit::End, id, 0.0});
    return kResultOk;
}

tresult VST3CALL HostComponentHandler::restartComponent(int32_t flags)
{
    record({HostEdit::Restart, static_cast<ParamID>(flags), 0.0});
    return kResultOk;
}

std::vector<HostEdit> HostComponentHandler::edits() const
{
    std::lock_guard<std::mutex> guard(lock);
    return recorded;
}

int HostComponentHandler::references() const
{
    std::lock_guard<std::mutex> guard(lock);
    return held;
}

} // namespace formathost
