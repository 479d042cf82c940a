#include "plughost/PluginHost.h"

#include <cstdio>
#include <cstring>

#include "platform/SharedLibrary.h"

using namespace host;

namespace plughost
{

namespace
{
// The instance whose entry-point call is running: the plug-in calls back before it has a record.
thread_local PluginInstance* instanceBeingCreated = nullptr;
} // namespace

bool PluginHost::load(const std::string& path)
{
    library = platform::OpenSharedLibrary(path, &lastError);
    if (!library)
        return false;
    void* symbol = platform::FindSymbol(library, "VSTPluginMain");
    if (!symbol)
        symbol = platform::FindSymbol(library, "main");
    if (!symbol)
    {
        lastError = "no VSTPluginMain or main in " + path;
        return false;
    }
    entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(symbol);
    return true;
}

bool PluginHost::hasSymbol(const char* name) const
{
    return platform::FindSymbol(library, name) != nullptr;
}

std::unique_ptr<PluginInstance> PluginHost::instantiate(const HostAnswers& answers)
{
    if (!entry)
        return nullptr;
    auto instance = std::make_unique<PluginInstance>(nullptr, std::make_unique<HostAnswers>(answers));
    instanceBeingCreated = instance.get();
    AEffect* effect = entry(&PluginInstance::callback);
    instanceBeingCreated = nullptr;
    if (!effect)
        return nullptr;
    instance->aeffect = effect;
    effect->resvd1 = reinterpret_cast<VstIntPtr>(instance.get());
    return instance;
}

PluginInstance::PluginInstance(AEffect* effect, std::unique_ptr<HostAnswers> answers)
    : aeffect(effect), hostAnswers(std::move(answers))
{
}

PluginInstance::~PluginInstance()
{
    close();
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (!aeffect)
        return 0;
    return aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
}

VstIntPtr PluginInstance::close()
{
    if (!aeffect)
        return 0;
    const VstIntPtr result = aeffect->dispatcher(aeffect, effClose, 0, 0, nullptr, 0.0f);
    aeffect = nullptr;
    return result;
}

std::string PluginInstance::getString(VstInt32 opcode, VstInt32 index, size_t bufferSize)
{
    std::vector<char> buffer(bufferSize, 0);
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = 0;
    return buffer.data();
}

VstIntPtr PluginInstance::canDo(const char* text)
{
    return dispatch(effCanDo, 0, 0, const_cast<char*>(text));
}

void PluginInstance::setSampleRate(float rate)
{
    hostAnswers->sampleRate = rate;
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void PluginInstance::setBlockSize(VstInt32 size)
{
    hostAnswers->blockSize = size;
    dispatch(effSetBlockSize, 0, size);
}

void PluginInstance::setParameter(VstInt32 index, float value)
{
    if (aeffect)
        aeffect->setParameter(aeffect, index, value);
}

float PluginInstance::getParameter(VstInt32 index)
{
    return aeffect ? aeffect->getParameter(aeffect, index) : 0.0f;
}

VstIntPtr PluginInstance::sendMidi(const std::vector<Midi>& events)
{
    std::vector<VstMidiEvent> midi(events.size());
    std::vector<VstEvent*> pointers;
    for (size_t i = 0; i < events.size(); ++i)
    {
        VstMidiEvent& m = midi[i];
        std::memset(&m, 0, sizeof m);
        m.type = kVstMidiType;
        m.byteSize = sizeof(VstMidiEvent);
        m.deltaFrames = events[i].deltaFrames;
        m.midiData[0] = static_cast<char>(events[i].status);
        m.midiData[1] = static_cast<char>(events[i].data1);
        m.midiData[2] = static_cast<char>(events[i].data2);
        pointers.push_back(reinterpret_cast<VstEvent*>(&m));
    }
    return sendEvents(pointers);
}

VstIntPtr PluginInstance::sendEvents(const std::vector<VstEvent*>& events)
{
    // VstEvents declares two pointers; the list itself is as long as the host makes it.
    const size_t slots = events.size() > 2 ? events.size() : 2;
    std::vector<unsigned char> storage(sizeof(VstEvents) + (slots - 2) * sizeof(VstEvent*), 0);
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<VstInt32>(events.size());
    for (size_t i = 0; i < events.size(); ++i)
        list->events[i] = events[i];
    return dispatch(effProcessEvents, 0, 0, list);
}

void PluginInstance::processReplacing(float* left, float* right, VstInt32 frames)
{
    if (!aeffect)
        return;
    float* outputs[2] = {left, right};
    aeffect->processReplacing(aeffect, nullptr, outputs, frames);
}

int PluginInstance::hostCalls(VstInt32 opcode) const
{
    return opcode >= 0 && static_cast<size_t>(opcode) < callCounts.size()
               ? callCounts[static_cast<size_t>(opcode)]
               : 0;
}

VstIntPtr PluginInstance::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                   void* ptr, float opt)
{
    PluginInstance* instance = nullptr;
    if (effect && effect->resvd1)
        instance = reinterpret_cast<PluginInstance*>(effect->resvd1);
    else
        instance = instanceBeingCreated;
    if (!instance)
        return opcode == audioMasterVersion ? 2400 : 0;
    return instance->answer(opcode, index, value, ptr, opt);
}

VstIntPtr PluginInstance::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (opcode >= 0 && static_cast<size_t>(opcode) < callCounts.size())
        ++callCounts[static_cast<size_t>(opcode)];
    switch (opcode)
    {
    case audioMasterVersion:
        return hostAnswers->version;
    case audioMasterAutomate:
        automationLog.push_back(AutomationRecord{index, opt});
        return 0;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(hostAnswers->sampleRate);
    case audioMasterGetBlockSize:
        return hostAnswers->blockSize;
    case audioMasterProcessEvents:
    {
        const auto* list = static_cast<const VstEvents*>(ptr);
        if (!list)
            return 0;
        for (VstInt32 i = 0; i < list->numEvents; ++i)
        {
            const VstEvent* event = list->events[i];
            if (event && event->type == kVstMidiType)
                midiOut.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        }
        return 1;
    }
    case audioMasterGetVendorString:
        if (ptr)
            std::snprintf(static_cast<char*>(ptr), kVstMaxVendorStrLen, "%s",
                          hostAnswers->vendorString.c_str());
        return 1;
    case audioMasterVendorSpecific:
        return hostAnswers->vendorSpecificAnswer;
    default:
        return 0;
    }
}

} // namespace plughost
