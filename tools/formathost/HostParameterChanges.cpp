#include "formathost/HostParameterChanges.h"

using namespace host;

namespace formathost
{

tresult VST3CALL HostValueQueue::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IParamValueQueue::iid)
                  ? static_cast<IParamValueQueue*>(this)
                  : nullptr;
    return *object ? kResultOk : kNoInterface;
}

tresult VST3CALL HostValueQueue::getPoint(int32_t index, int32_t& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= getPointCount())
        return kInvalidArgument;
    sampleOffset = points[static_cast<size_t>(index)].first;
    value = points[static_cast<size_t>(index)].second;
    return kResultOk;
}

tresult VST3CALL HostValueQueue::addPoint(int32_t sampleOffset, ParamValue value, int32_t& index)
{
    index = getPointCount();
    points.emplace_back(sampleOffset, value);
    return kResultOk;
}

tresult VST3CALL HostParameterChanges::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IParameterChanges::iid)
                  ? static_cast<IParameterChanges*>(this)
                  : nullptr;
    return *object ? kResultOk : kNoInterface;
}

IParamValueQueue* VST3CALL HostParameterChanges::getParameterData(int32_t index)
{
    return index >= 0 && index < getParameterCount() ? queues[static_cast<size_t>(index)].get() : nullptr;
}

IParamValueQueue* VST3CALL HostParameterChanges::addParameterData(const ParamID& id, int32_t& index)
{
    for (size_t i = 0; i < queues.size(); ++i)
    {
        if (queues[i]->getParameterId() == id)
        {
            index = static_cast<int32_t>(i);
            return queues[i].get();
        }
    }
    index = getParameterCount();
    queues.push_back(std::make_unique<HostValueQueue>(id));
    return queues.back().get();
}

void HostParameterChanges::add(ParamID id, int32_t offset, ParamValue value)
{
    int32_t index = 0;
    addParameterData(id, index)->addPoint(offset, value, index);
}

} // namespace formathost
