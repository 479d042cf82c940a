// A block's parameter changes as a VST3 host hands them to a plug-in: a queue of points (sample offset,
// value) for each parameter that changes. Owned by the host. One thread at a time.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class HostValueQueue final : public host::IParamValueQueue
{
public:
    explicit HostValueQueue(host::ParamID id) : parameter(id) {}
    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override { return 1; }
    uint32_t VST3CALL release() override { return 1; }
    host::ParamID VST3CALL getParameterId() override { return parameter; }
    int32_t VST3CALL getPointCount() override { return static_cast<int32_t>(points.size()); }
    host::tresult VST3CALL getPoint(int32_t index, int32_t& sampleOffset, host::ParamValue& value) override;
    host::tresult VST3CALL addPoint(int32_t sampleOffset, host::ParamValue value, int32_t& index) override;

private:
    host::ParamID parameter;
    std::vector<std::pair<int32_t, host::ParamValue>> points;
};

class HostParameterChanges : public host::IParameterChanges
{
public:
    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override { return 1; }
    uint32_t VST3CALL release() override { return 1; }
    int32_t VST3CALL getParameterCount() override { return static_cast<int32_t>(queues.size()); }
    host::IParamValueQueue* VST3CALL getParameterData(int32_t index) override;
    host::IParamValueQueue* VST3CALL addParameterData(const host::ParamID& id, int32_t& index) override;

    void clear() { queues.clear(); }
    // Adds a point to the parameter's queue.
    void add(host::ParamID id, int32_t offset, host::ParamValue value);

private:
    std::vector<std::unique_ptr<HostValueQueue>> queues;
};

} // namespace formathost
