// A small VST 2.4 host for tests and command-line tools: loads a plug-in's shared object, creates instances
// with a host callback that answers what the plug-in asks and records what it sends, and wraps the
// dispatcher and processing calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace plughost
{

class PluginInstance;

// What the host answers to the plug-in's questions.
struct HostAnswers
{
    host::VstIntPtr version = 2400;
    double sampleRate = 44100.0; // 0 or less: the host does not know
    host::VstInt32 blockSize = 1024;
    std::string vendorString = "Virellando test host";
    host::VstIntPtr vendorSpecificAnswer = 0;
};

class PluginHost
{
public:
    PluginHost() = default;
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the shared object and finds its entry point (VSTPluginMain, else main).
    bool load(const std::string& path);
    // Takes the entry point of a plug-in linked into this program.
    void take(host::PluginEntryProc entryPoint) { entry = entryPoint; }
    const std::string& error() const { return lastError; }
    bool hasSymbol(const char* name) const;
    // What the system returned for the loaded module (on Windows its base address); nullptr before load.
    void* libraryHandle() const { return library; }

    // Calls the entry point; nullptr when the plug-in gives no record.
    std::unique_ptr<PluginInstance> instantiate(const HostAnswers& answers = HostAnswers());

private:
    void* library = nullptr;
    host::PluginEntryProc entry = nullptr;
    std::string lastError;
};

struct AutomationRecord
{
    host::VstInt32 index;
    float value;
};

class PluginInstance
{
public:
    PluginInstance(host::AEffect* effect, std::unique_ptr<HostAnswers> answers);
    ~PluginInstance(); // closes the instance when still open
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    host::AEffect* effect() const { return aeffect; }
    host::VstIntPtr dispatch(host::VstInt32 opcode, host::VstInt32 index = 0, host::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f);
    // effClose: the plug-in deletes itself; the instance is unusable afterwards.
    host::VstIntPtr close();
    bool isOpen() const { return aeffect != nullptr; }

    std::string getString(host::VstInt32 opcode, host::VstInt32 index = 0, size_t bufferSize = 256);
    host::VstIntPtr canDo(const char* text);
    void setSampleRate(float rate);
    void setBlockSize(host::VstInt32 size);
    void setParameter(host::VstInt32 index, float value);
    float getParameter(host::VstInt32 index);

    // Sends MIDI events (three bytes each, with frame offsets) through effProcessEvents.
    struct Midi
    {
        host::VstInt32 deltaFrames;
        uint8_t status, data1, data2;
    };
    host::VstIntPtr sendMidi(const std::vector<Midi>& events);
    // Sends prepared events as they are (any type).
    host::VstIntPtr sendEvents(const std::vector<host::VstEvent*>& events);
    void processReplacing(float* left, float* right, host::VstInt32 frames);

    HostAnswers& answers() { return *hostAnswers; }
    const std::vector<AutomationRecord>& automation() const { return automationLog; }
    const std::vector<host::VstMidiEvent>& midiFromPlugin() const { return midiOut; }
    int hostCalls(host::VstInt32 opcode) const;

    // The host callback; finds its instance through the record's resvd1 or the instance being created.
    static host::VstIntPtr VSTCALLBACK callback(host::AEffect* effect, host::VstInt32 opcode,
                                                host::VstInt32 index, host::VstIntPtr value, void* ptr,
                                                float opt);

private:
    friend class PluginHost;
    host::VstIntPtr answer(host::VstInt32 opcode, host::VstInt32 index, host::VstIntPtr value, void* ptr,
                           float opt);

    host::AEffect* aeffect = nullptr;
    std::unique_ptr<HostAnswers> hostAnswers;
    std::vector<AutomationRecord> automationLog;
    std::vector<host::VstMidiEvent> midiOut;
    std::vector<int> callCounts = std::vector<int>(64, 0);
};

} // namespace plughost
