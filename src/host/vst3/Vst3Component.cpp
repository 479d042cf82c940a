#include "host/vst3/Vst3Component.h"

#include <cmath>
#include <new>
#include <vector>

#include "host/vst3/Vst3Stream.h"
#include "host/vst3/Vst3Strings.h"
#include "resources/Log.h"

namespace host
{

namespace
{
// Far more than the instrument's chunk: a larger stream is not its state.
constexpr size_t kStateLimit = 65536;
constexpr int32_t kMidiChannels = 16;
} // namespace

Vst3Component::Vst3Component(const InstrumentEntry& entry)
    : instrumentEntry(entry), controller(static_cast<IComponent&>(*this), driver, parameters),
      driver(controller), parameters(driver)
{
}

Vst3Component::~Vst3Component() = default;

Vst3Component* Vst3Component::create(const InstrumentEntry& entry)
{
    return new (std::nothrow) Vst3Component(entry);
}

tresult VST3CALL Vst3Component::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    void* found = nullptr;
    if (SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IPluginBase::iid) ||
        SameUid(interfaceId, IComponent::iid))
        found = static_cast<IComponent*>(this);
    else if (SameUid(interfaceId, IAudioProcessor::iid))
        found = static_cast<IAudioProcessor*>(this);
    else if (SameUid(interfaceId, IEditController::iid))
        found = static_cast<IEditController*>(&controller);
    else if (SameUid(interfaceId, IMidiMapping::iid))
        found = static_cast<IMidiMapping*>(&controller);
    else if (SameUid(interfaceId, IUnitInfo::iid))
        found = static_cast<IUnitInfo*>(&controller);
    *object = found;
    if (!found)
        return kNoInterface;
    addRef();
    return kResultOk;
}

uint32_t VST3CALL Vst3Component::addRef()
{
    return ++references;
}

uint32_t VST3CALL Vst3Component::release()
{
    const uint32_t left = --references;
    if (left == 0)
        delete this;
    return left;
}

tresult VST3CALL Vst3Component::initialize(FUnknown*)
{
    if (driver.isOpen())
        return kResultFalse;
    return driver.open(instrumentEntry, 44100.0, InstrumentDriver::kDefaultBlockFrames) ? kResultOk
                                                                                        : kResultFalse;
}

tresult VST3CALL Vst3Component::terminate()
{
    controller.dropHandler();
    driver.close();
    return kResultOk;
}

tresult VST3CALL Vst3Component::getControllerClassId(char*)
{
    // The controller is this object: hosts find it by asking the component.
    return kResultFalse;
}

tresult VST3CALL Vst3Component::setIoMode(IoMode)
{
    return kResultOk;
}

int32_t VST3CALL Vst3Component::getBusCount(MediaType type, BusDirection dir)
{
    return (type == kAudio && dir == kOutput) || (type == kEvent && dir == kInput) ? 1 : 0;
}

tresult VST3CALL Vst3Component::getBusInfo(MediaType type, BusDirection dir, int32_t index, BusInfo& bus)
{
    if (index != 0 || getBusCount(type, dir) == 0)
        return kInvalidArgument;
    bus = BusInfo{};
    bus.mediaType = type;
    bus.direction = dir;
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    bus.channelCount = type == kAudio ? 2 : kMidiChannels;
    CopyToString128(type == kAudio ? "Stereo Out" : "MIDI In", bus.name);
    return kResultOk;
}

tresult VST3CALL Vst3Component::getRoutingInfo(RoutingInfo&, RoutingInfo&)
{
    return kResultFalse;
}

tresult VST3CALL Vst3Component::activateBus(MediaType type, BusDirection dir, int32_t index, TBool)
{
    return index == 0 && getBusCount(type, dir) == 1 ? kResultOk : kInvalidArgument;
}

tresult VST3CALL Vst3Component::setActive(TBool state)
{
    if (!driver.isOpen())
        return kNotInitialized;
    driver.setActive(state != 0);
    return kResultOk;
}

tresult VST3CALL Vst3Component::setState(IBStream* state)
{
    std::vector<uint8_t> bytes;
    if (!ReadStream(state, bytes, kStateLimit))
    {
        resources::LogLine("A VST3 state was refused: it could not be read whole.");
        return kResultFalse;
    }
    const std::vector<ParamValue> before = controller.values();
    if (!driver.setState(bytes.data(), bytes.size()))
        return kResultFalse;
    controller.valuesMoved(before);
    return kResultOk;
}

tresult VST3CALL Vst3Component::getState(IBStream* state)
{
    const std::vector<uint8_t> bytes = driver.state();
    return !bytes.empty() && WriteStream(state, bytes) ? kResultOk : kResultFalse;
}

tresult VST3CALL Vst3Component::setBusArrangements(SpeakerArrangement*, int32_t numIns,
                                                   SpeakerArrangement* outputs, int32_t numOuts)
{
    return numIns == 0 && numOuts == 1 && outputs && outputs[0] == speaker::kStereo ? kResultOk
                                                                                    : kResultFalse;
}

tresult VST3CALL Vst3Component::getBusArrangement(BusDirection dir, int32_t index, SpeakerArrangement& arr)
{
    if (dir != kOutput || index != 0)
        return kInvalidArgument;
    arr = speaker::kStereo;
    return kResultOk;
}

tresult VST3CALL Vst3Component::canProcessSampleSize(int32_t symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultOk : kResultFalse;
}

uint32_t VST3CALL Vst3Component::getLatencySamples()
{
    return static_cast<uint32_t>(driver.latency());
}

tresult VST3CALL Vst3Component::setupProcessing(ProcessSetup& setup)
{
    if (!driver.isOpen())
        return kNotInitialized;
    if (setup.symbolicSampleSize != kSample32 || setup.maxSamplesPerBlock <= 0 ||
        !(std::isfinite(setup.sampleRate) && setup.sampleRate > 0.0))
    {
        resources::LogFormatted("The VST3 host's set-up was refused: %s samples, blocks of %d, %g Hz.",
                                setup.symbolicSampleSize == kSample32 ? "32-bit" : "64-bit",
                                static_cast<int>(setup.maxSamplesPerBlock), setup.sampleRate);
        return kInvalidArgument;
    }
    controller.holdRestarts(true);
    const bool taken =
        driver.setBlockFrames(setup.maxSamplesPerBlock) && driver.setSampleRate(setup.sampleRate);
    controller.holdRestarts(false);
    return taken ? kResultOk : kResultFalse;
}

tresult VST3CALL Vst3Component::setProcessing(TBool)
{
    return driver.isOpen() ? kResultOk : kNotInitialized;
}

uint32_t VST3CALL Vst3Component::getTailSamples()
{
    return 0;
}

} // namespace host
