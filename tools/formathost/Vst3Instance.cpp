#include "formathost/Vst3Instance.h"

#include "formathost/MemoryStream.h"

using namespace host;

namespace formathost
{

namespace
{
template <typename Interface> Interface* query(FUnknown* object)
{
    void* found = nullptr;
    return object && object->queryInterface(Interface::iid.bytes, &found) == kResultOk
               ? static_cast<Interface*>(found)
               : nullptr;
}
} // namespace

Vst3Instance::Vst3Instance(IPluginFactory& factory, const char* classId)
{
    void* created = nullptr;
    if (factory.createInstance(classId, IComponent::iid.bytes, &created) != kResultOk || !created)
        return;
    component = static_cast<IComponent*>(created);
    if (component->initialize(nullptr) != kResultOk)
        return;
    processor = query<IAudioProcessor>(component);
    controller = query<IEditController>(component);
    if (controller)
        controller->setComponentHandler(&handler);
}

Vst3Instance::~Vst3Instance()
{
    if (processing && processor)
        processor->setProcessing(0);
    if (processing && component)
        component->setActive(0);
    if (controller)
    {
        controller->setComponentHandler(nullptr);
        controller->release();
    }
    if (processor)
        processor->release();
    if (component)
    {
        component->terminate();
        component->release();
    }
}

bool Vst3Instance::start(double rate, int maxBlock)
{
    if (!valid())
        return false;
    ProcessSetup setup{0, kSample32, maxBlock, rate}; // processMode 0: real time
    SpeakerArrangement stereo = speaker::kStereo;
    if (processor->setBusArrangements(nullptr, 0, &stereo, 1) != kResultOk ||
        processor->setupProcessing(setup) != kResultOk)
        return false;
    component->activateBus(kAudio, kOutput, 0, 1);
    component->activateBus(kEvent, kInput, 0, 1);
    processing = component->setActive(1) == kResultOk && processor->setProcessing(1) == kResultOk;
    return processing;
}

bool Vst3Instance::restart(double rate, int maxBlock)
{
    if (processing)
    {
        processor->setProcessing(0);
        component->setActive(0);
        processing = false;
    }
    return start(rate, maxBlock);
}

tresult Vst3Instance::process(float* left, float* right, int frames, bool forget)
{
    float* channels[2] = {left, right};
    AudioBusBuffers output{};
    output.numChannels = 2;
    output.channelBuffers32 = channels;
    ProcessData data{};
    data.symbolicSampleSize = kSample32;
    data.numSamples = frames;
    data.numOutputs = 1;
    data.outputs = &output;
    data.inputParameterChanges = &changes;
    data.inputEvents = &events;
    data.processContext = context;
    const tresult result = processor->process(data);
    if (forget)
        forgetQueued();
    return result;
}

std::vector<uint8_t> Vst3Instance::componentState()
{
    MemoryStream stream;
    return component->getState(&stream) == kResultOk ? stream.bytes() : std::vector<uint8_t>();
}

tresult Vst3Instance::setComponentState(const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes);
    return component->setState(&stream);
}

std::vector<uint8_t> Vst3Instance::controllerState()
{
    MemoryStream stream;
    return controller->getState(&stream) == kResultOk ? stream.bytes() : std::vector<uint8_t>();
}

tresult Vst3Instance::setControllerState(const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes);
    return controller->setState(&stream);
}

} // namespace formathost
