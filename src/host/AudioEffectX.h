// The VST 2.x extensions of the plug-in frame: events, pins, names, vendor requests, MIDI program names.
#pragma once

#include "host/AudioEffect.h"

namespace host
{

class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX(host::audioMasterCallback audioMaster, host::VstInt32 numPrograms, host::VstInt32 numParams);

    host::VstIntPtr dispatcher(host::VstInt32 opcode, host::VstInt32 index, host::VstIntPtr value, void* ptr,
                               float opt) override;

    // Parameters
    virtual bool canParameterBeAutomated(host::VstInt32 index) { return true; }
    virtual bool string2parameter(host::VstInt32 index, char* text) { return false; }
    virtual bool getParameterProperties(host::VstInt32 index, host::VstParameterProperties* p)
    {
        return false;
    }
    virtual bool beginEdit(host::VstInt32 index);
    virtual bool endEdit(host::VstInt32 index);

    // Programs and persistence
    virtual bool getProgramNameIndexed(host::VstInt32 category, host::VstInt32 index, char* text)
    {
        return false;
    }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual host::VstInt32 beginLoadBank(host::VstPatchChunkInfo* ptr) { return 0; }
    virtual host::VstInt32 beginLoadProgram(host::VstPatchChunkInfo* ptr) { return 0; }

    // Connections and configuration
    virtual bool ioChanged();
    virtual double updateSampleRate();
    virtual host::VstInt32 updateBlockSize();
    virtual host::VstInt32 getInputLatency();
    virtual host::VstInt32 getOutputLatency();
    virtual bool getInputProperties(host::VstInt32 index, host::VstPinProperties* properties)
    {
        return false;
    }
    virtual bool getOutputProperties(host::VstInt32 index, host::VstPinProperties* properties)
    {
        return false;
    }
    virtual bool setSpeakerArrangement(host::VstSpeakerArrangement* pluginInput,
                                       host::VstSpeakerArrangement* pluginOutput)
    {
        return false;
    }
    virtual bool getSpeakerArrangement(host::VstSpeakerArrangement** pluginInput,
                                       host::VstSpeakerArrangement** pluginOutput)
    {
        return false;
    }
    virtual bool setBypass(bool onOff) { return false; }
    virtual bool setPanLaw(host::VstInt32 type, float val) { return false; }
    virtual bool setProcessPrecision(host::VstInt32 precision) { return false; }
    virtual host::VstInt32 getNumMidiInputChannels() { return 0; }
    virtual host::VstInt32 getNumMidiOutputChannels() { return 0; }

    // Realtime
    virtual host::VstInt32 getCurrentProcessLevel();
    virtual host::VstInt32 getAutomationState();
    virtual host::VstInt32 processEvents(host::VstEvents* events) { return 0; }
    virtual bool sendVstEventsToHost(host::VstEvents* events);
    virtual host::VstInt32 startProcess() { return 0; }
    virtual host::VstInt32 stopProcess() { return 0; }

    // Offline
    virtual bool processVariableIo(host::VstVariableIo* varIo) { return false; }
    virtual host::VstInt32 setTotalSampleToProcess(host::VstInt32 value) { return value; }

    // Host properties
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual host::VstInt32 getHostVendorVersion();
    virtual host::VstIntPtr hostVendorSpecific(host::VstInt32 lArg1, host::VstIntPtr lArg2, void* ptrArg,
                                               float floatArg);
    virtual host::VstInt32 canHostDo(char* text);
    virtual host::VstInt32 getHostLanguage();

    // Plug-in properties
    virtual bool getEffectName(char* name) { return false; }
    virtual bool getVendorString(char* text) { return false; }
    virtual bool getProductString(char* text) { return false; }
    virtual host::VstInt32 getVendorVersion() { return 0; }
    virtual host::VstIntPtr vendorSpecific(host::VstInt32 lArg, host::VstIntPtr lArg2, void* ptrArg,
                                           float floatArg)
    {
        return 0;
    }
    virtual host::VstInt32 canDo(char* text) { return 0; }
    virtual host::VstInt32 getVstVersion() { return host::kVstVersion; }
    virtual host::VstPlugCategory getPlugCategory();
    virtual host::VstInt32 getGetTailSize() { return 0; }

    // MIDI program names
    virtual host::VstInt32 getMidiProgramName(host::VstInt32 channel, host::MidiProgramName* name)
    {
        return 0;
    }
    virtual host::VstInt32 getCurrentMidiProgram(host::VstInt32 channel, host::MidiProgramName* current)
    {
        return -1;
    }
    virtual host::VstInt32 getMidiProgramCategory(host::VstInt32 channel, host::MidiProgramCategory* category)
    {
        return 0;
    }
    virtual bool hasMidiProgramsChanged(host::VstInt32 channel) { return false; }
    virtual bool getMidiKeyName(host::VstInt32 channel, host::MidiKeyName* keyName) { return false; }

    // Others
    virtual bool updateDisplay();
    virtual bool sizeWindow(host::VstInt32 width, host::VstInt32 height);
    virtual host::VstInt32 getNextShellPlugin(char* name) { return 0; }

    void isSynth(bool state = true);
    void noTail(bool state = true);
};

} // namespace host
