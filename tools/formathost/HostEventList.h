// The events of one block as a VST3 host hands them to a plug-in. Owned by the host. One thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class HostEventList : public host::IEventList
{
public:
    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override { return 1; }
    uint32_t VST3CALL release() override { return 1; }
    int32_t VST3CALL getEventCount() override { return static_cast<int32_t>(events.size()); }
    host::tresult VST3CALL getEvent(int32_t index, host::Event& e) override;
    host::tresult VST3CALL addEvent(host::Event& e) override;

    void clear()
    {
        events.clear();
        dumps.clear();
    }
    // A note on or off on channel 0 at a sample offset, the velocity 0..1.
    void addNote(int32_t offset, bool on, int16_t pitch, float velocity);
    // A system-exclusive dump (F0 to F7) at a sample offset, kept until the list is cleared.
    void addSysex(int32_t offset, const std::vector<uint8_t>& bytes);

private:
    std::vector<host::Event> events;
    std::vector<std::vector<uint8_t>> dumps;
};

} // namespace formathost
