// The VST3 plug-in object: the component, with an event input bus and one stereo output bus, and its audio
// processor, over the instrument's driver; the edit controller lives inside it and shares its identity
// (hosts find it by asking the component). The component's state is the instrument's chunk. process hands
// the instrument the block's notes and the controllers the host sends as parameter changes, as MIDI at
// their sample offsets, the other parameter changes, and the transport.
// Threads: the host's user-interface thread, but process on its audio thread.
#pragma once

#include <atomic>

#include "host/InstrumentDriver.h"
#include "host/vst3/Vst3Controller.h"
#include "host/vst3/Vst3Interface.h"
#include "host/vst3/Vst3Parameters.h"

namespace host
{

class Vst3Component final : public IComponent, public IAudioProcessor
{
public:
    // The plug-in's class, as its factory names it.
    static constexpr Vst3Uid kClassId = MakeVst3Uid(0x566C446F, 0x54616C6C, 0x6F77696E, 0x64563301);

    // A new object with one reference; null when out of memory.
    static Vst3Component* create(const InstrumentEntry& entry);

    tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override;
    uint32_t VST3CALL release() override;

    // Creates the instrument; kResultFalse when it cannot be made.
    tresult VST3CALL initialize(FUnknown* context) override;
    tresult VST3CALL terminate() override;

    tresult VST3CALL getControllerClassId(char* classId) override;
    tresult VST3CALL setIoMode(IoMode mode) override;
    int32_t VST3CALL getBusCount(MediaType type, BusDirection dir) override;
    tresult VST3CALL getBusInfo(MediaType type, BusDirection dir, int32_t index, BusInfo& bus) override;
    tresult VST3CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult VST3CALL activateBus(MediaType type, BusDirection dir, int32_t index, TBool state) override;
    tresult VST3CALL setActive(TBool state) override;
    // Refuses, changing nothing, a state that is not the instrument's chunk.
    tresult VST3CALL setState(IBStream* state) override;
    tresult VST3CALL getState(IBStream* state) override;

    // Only no inputs and one stereo output.
    tresult VST3CALL setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                        SpeakerArrangement* outputs, int32_t numOuts) override;
    tresult VST3CALL getBusArrangement(BusDirection dir, int32_t index, SpeakerArrangement& arr) override;
    tresult VST3CALL canProcessSampleSize(int32_t symbolicSampleSize) override;
    uint32_t VST3CALL getLatencySamples() override;
    tresult VST3CALL setupProcessing(ProcessSetup& setup) override;
    tresult VST3CALL setProcessing(TBool state) override;
    tresult VST3CALL process(ProcessData& data) override;
    uint32_t VST3CALL getTailSamples() override;

    InstrumentDriver& instrument() { return driver; }

private:
    explicit Vst3Component(const InstrumentEntry& entry);
    ~Vst3Component();

    void readParameterChanges(IParameterChanges* changes);
    void readEvents(IEventList* events);
    void readTransport(const ProcessContext* context);

    std::atomic<uint32_t> references{1};
    const InstrumentEntry instrumentEntry;
    Vst3Controller controller;
    InstrumentDriver driver;
    Vst3Parameters parameters;
};

} // namespace host
