// What a VST3 host hears from a plug-in's edit controller: the edits (begin, perform, end) and restarts it
// asks for, recorded in order. Owned by the host; any thread, under a lock.
#pragma once

#include <mutex>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace formathost
{

struct HostEdit
{
    enum Kind
    {
        Begin,
        Perform,
        End,
        Restart
    } kind;
    host::ParamID id; // the flags of a restart
    host::ParamValue value;
};

class HostComponentHandler : public host::IComponentHandler
{
public:
    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override;
    uint32_t VST3CALL release() override;
    host::tresult VST3CALL beginEdit(host::ParamID id) override;
    host::tresult VST3CALL performEdit(host::ParamID id, host::ParamValue valueNormalized) override;
    host::tresult VST3CALL endEdit(host::ParamID id) override;
    host::tresult VST3CALL restartComponent(int32_t flags) override;

    std::vector<HostEdit> edits() const;
    // The references the plug-in holds.
    int references() const;

private:
    void record(const HostEdit& edit);

    mutable std::mutex lock;
    std::vector<HostEdit> recorded;
    int held = 0;
};

} // namespace formathost
