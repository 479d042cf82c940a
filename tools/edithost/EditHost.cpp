#include "edithost/EditHost.h"

#include "platform/SharedLibrary.h"

namespace edithost
{
namespace
{
// The instance being created: the plug-in calls back before its record reaches the host.
thread_local EditHost* creating = nullptr;
} // namespace

EditHost::~EditHost()
{
    close();
}

bool EditHost::load(const std::string& path, float sampleRate, int blockSize)
{
    library = platform::OpenSharedLibrary(path, &lastError);
    if (!library)
        return false;
    void* entry = platform::FindSymbol(library, "VSTPluginMain");
    if (!entry)
        entry = platform::FindSymbol(library, "main");
    if (!entry)
    {
        lastError = "no entry point";
        return false;
    }
    rate = sampleRate;
    creating = this;
    aeffect = reinterpret_cast<host::AEffect* (*)(host::audioMasterCallback)>(entry)(&EditHost::callback);
    creating = nullptr;
    if (!aeffect)
    {
        lastError = "the plug-in made no instance";
        return false;
    }
    aeffect->resvd1 = reinterpret_cast<host::VstIntPtr>(this);
    dispatch(host::effOpen);
    dispatch(host::effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(host::effSetBlockSize, 0, blockSize);
    dispatch(host::effMainsChanged, 0, 1);
    return true;
}

host::VstIntPtr EditHost::dispatch(host::VstInt32 opcode, host::VstInt32 index, host::VstIntPtr value,
                                   void* ptr, float opt)
{
    return aeffect ? aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt) : 0;
}

host::VstIntPtr EditHost::callback(host::AEffect* effect, host::VstInt32 opcode, host::VstInt32 index,
                                   host::VstIntPtr, void* ptr, float opt)
{
    EditHost* host = effect && effect->resvd1 ? reinterpret_cast<EditHost*>(effect->resvd1) : creating;
    switch (opcode)
    {
    case host::audioMasterVersion:
        return 2400;
    case host::audioMasterGetSampleRate:
        return host ? static_cast<host::VstIntPtr>(host->rate) : 44100;
    case host::audioMasterAutomate:
        if (host)
        {
            std::lock_guard<std::mutex> guard(host->eventLock);
            host->events.push_back({HostEvent::kAutomate, index, opt, 0, 0});
        }
        return 1;
    case host::audioMasterProcessEvents:
    {
        const auto* list = static_cast<const host::VstEvents*>(ptr);
        if (!host || !list)
            return 0;
        std::lock_guard<std::mutex> guard(host->eventLock);
        for (int i = 0; i < list->numEvents; ++i)
        {
            const auto* midi = reinterpret_cast<const host::VstMidiEvent*>(list->events[i]);
            if (midi->type == host::kVstMidiType)
                host->events.push_back({HostEvent::kMidi, static_cast<uint8_t>(midi->midiData[0]), 0.0f,
                                        static_cast<uint8_t>(midi->midiData[1]),
                                        static_cast<uint8_t>(midi->midiData[2])});
        }
        return 1;
    }
    default:
        return 0;
    }
}

bool EditHost::getRect(int& width, int& height)
{
    host::ERect* rect = nullptr;
    if (dispatch(host::effEditGetRect, 0, 0, &rect) == 0 || !rect)
        return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

bool EditHost::openEditor(unsigned long windowId)
{
    // Through long: a Win32 window id is 32 bits and sign-extended into a 64-bit handle; X11 ids are longs.
    isOpen = dispatch(host::effEditOpen, 0, 0,
                      reinterpret_cast<void*>(static_cast<intptr_t>(static_cast<long>(windowId)))) != 0;
    return isOpen;
}

void EditHost::idleEditor()
{
    if (isOpen)
        dispatch(host::effEditIdle);
}

void EditHost::closeEditor()
{
    if (isOpen)
        dispatch(host::effEditClose);
    isOpen = false;
}

void EditHost::queueMidi(int status, int data1, int data2)
{
    host::VstMidiEvent event{};
    event.type = host::kVstMidiType;
    event.byteSize = sizeof event;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    std::lock_guard<std::mutex> guard(midiLock);
    pendingMidi.push_back(event);
}

void EditHost::render(float* left, float* right, int frames)
{
    if (!aeffect)
        return;
    {
        std::lock_guard<std::mutex> guard(midiLock);
        blockMidi.swap(pendingMidi);
        pendingMidi.clear();
    }
    const size_t slots = blockMidi.size() < 2 ? 2 : blockMidi.size();
    eventList.assign(sizeof(host::VstEvents) + (slots - 2) * sizeof(host::VstEvent*), 0);
    auto* list = reinterpret_cast<host::VstEvents*>(eventList.data());
    list->numEvents = static_cast<host::VstInt32>(blockMidi.size());
    for (size_t i = 0; i < blockMidi.size(); ++i)
        list->events[i] = reinterpret_cast<host::VstEvent*>(&blockMidi[i]);
    dispatch(host::effProcessEvents, 0, 0, list);
    float* outputs[2] = {left, right};
    aeffect->processReplacing(aeffect, nullptr, outputs, frames);
}

std::vector<HostEvent> EditHost::takeEvents()
{
    std::lock_guard<std::mutex> guard(eventLock);
    std::vector<HostEvent> taken;
    taken.swap(events);
    return taken;
}

void EditHost::close()
{
    if (!aeffect)
        return;
    dispatch(host::effMainsChanged, 0, 0);
    dispatch(host::effClose);
    aeffect = nullptr;
}

} // namespace edithost
