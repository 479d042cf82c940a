// One VST3 plug-in instance in the test host: its component, audio processor and edit controller, a
// component handler that records what the controller tells the host, and blocks processed with the notes
// and parameter changes queued for them.
#pragma once

#include <cstdint>
#include <vector>

#include "formathost/HostComponentHandler.h"
#include "formathost/HostEventList.h"
#include "formathost/HostParameterChanges.h"
#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class Vst3Instance
{
public:
    // Creates and initializes the class; valid() tells whether that worked.
    Vst3Instance(host::IPluginFactory& factory, const char* classId);
    ~Vst3Instance(); // stops processing, deactivates, terminates and releases
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    bool valid() const { return component && processor && controller; }
    host::IComponent* component = nullptr;
    host::IAudioProcessor* processor = nullptr;
    host::IEditController* controller = nullptr;
    HostComponentHandler handler;

    // Sets up processing at the rate and largest block, and switches processing on.
    bool start(double rate, int maxBlock);
    // Processing off and on again at another rate, as hosts change it.
    bool restart(double rate, int maxBlock);

    // The next block's notes, parameter changes and transport.
    HostEventList events;
    HostParameterChanges changes;
    // The transport handed with each block; null: none.
    host::ProcessContext* context = nullptr;
    // Processes a block into left and right with what was queued for it, then forgets that (unless told
    // not to: a benchmark that times the plug-in alone forgets it afterwards, with forgetQueued).
    host::tresult process(float* left, float* right, int frames, bool forget = true);
    void forgetQueued()
    {
        events.clear();
        changes.clear();
    }

    std::vector<uint8_t> componentState();
    host::tresult setComponentState(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> controllerState();
    host::tresult setControllerState(const std::vector<uint8_t>& bytes);

private:
    bool processing = false;
};

} // namespace formathost
