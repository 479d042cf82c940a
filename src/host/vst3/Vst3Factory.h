// The VST3 module's factory: names its maker and its one class, the instrument, and makes instances of it.
// One per module, never deleted; any thread.
#pragma once

#include "host/InstrumentEntry.h"
#include "host/vst3/Vst3Interface.h"

namespace host
{

class Vst3Factory : public IPluginFactory2
{
public:
    // prepare runs before each new instance (the module connects its user interface there).
    Vst3Factory(const InstrumentEntry& entry, void (*prepare)());

    tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    // The factory lives as long as the module: counting references changes nothing.
    uint32_t VST3CALL addRef() override;
    uint32_t VST3CALL release() override;

    tresult VST3CALL getFactoryInfo(PFactoryInfo* info) override;
    int32_t VST3CALL countClasses() override;
    tresult VST3CALL getClassInfo(int32_t index, PClassInfo* info) override;
    tresult VST3CALL createInstance(FIDString cid, FIDString interfaceId, void** object) override;
    tresult VST3CALL getClassInfo2(int32_t index, PClassInfo2* info) override;

private:
    const InstrumentEntry instrumentEntry;
    void (*prepareInstance)();
};

} // namespace host
