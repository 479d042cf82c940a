// The VST 2.x extensions of the plug-in frame: events, pins, names, vendor requests, MIDI program names.
#pragma once

#include "host/AudioEffect.h"

class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX(vst::audioMasterCallback audioMaster, vst::VstInt32 numPrograms, vst::VstInt32 numParams);

    vst::VstIntPtr dispatcher(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                              float opt) override;

    // Parameters
    virtual bool canParameterBeAutomated(vst::VstInt32 index) { return true; }
    virtual bool string2parameter(vst::VstInt32 index, char* text) { return false; }
    virtual bool getParameterProperties(vst::VstInt32 index, vst::VstParameterProperties* p) { return false; }
    virtual bool beginEdit(vst::VstInt32 index);
    virtual bool endEdit(vst::VstInt32 index);

    // Programs and persistence
    virtual bool getProgramNameIndexed(vst::VstInt32 category, vst::VstInt32 index, char* text)
    {
        return false;
    }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual vst::VstInt32 beginLoadBank(vst::VstPatchChunkInfo* ptr) { return 0; }
    virtual vst::VstInt32 beginLoadProgram(vst::VstPatchChunkInfo* ptr) { return 0; }

    // Connections and configuration
    virtual bool ioChanged();
    virtual double updateSampleRate();
    virtual vst::VstInt32 updateBlockSize();
    virtual vst::VstInt32 getInputLatency();
    virtual vst::VstInt32 getOutputLatency();
    virtual bool getInputProperties(vst::VstInt32 index, vst::VstPinProperties* properties) { return false; }
    virtual bool getOutputProperties(vst::VstInt32 index, vst::VstPinProperties* properties) { return false; }
    virtual bool setSpeakerArrangement(vst::VstSpeakerArrangement* pluginInput,
                                       vst::VstSpeakerArrangement* pluginOutput)
    {
        return false;
    }
    virtual bool getSpeakerArrangement(vst::VstSpeakerArrangement** pluginInput,
                                       vst::VstSpeakerArrangement** pluginOutput)
    {
        return false;
    }
    virtual bool setBypass(bool onOff) { return false; }
    virtual bool setPanLaw(vst::VstInt32 type, float val) { return false; }
    virtual bool setProcessPrecision(vst::VstInt32 precision) { return false; }
    virtual vst::VstInt32 getNumMidiInputChannels() { return 0; }
    virtual vst::VstInt32 getNumMidiOutputChannels() { return 0; }

    // Realtime
    virtual vst::VstInt32 getCurrentProcessLevel();
    virtual vst::VstInt32 getAutomationState();
    virtual vst::VstInt32 processEvents(vst::VstEvents* events) { return 0; }
    virtual bool sendVstEventsToHost(vst::VstEvents* events);
    virtual vst::VstInt32 startProcess() { return 0; }
    virtual vst::VstInt32 stopProcess() { return 0; }

    // Offline
    virtual bool processVariableIo(vst::VstVariableIo* varIo) { return false; }
    virtual vst::VstInt32 setTotalSampleToProcess(vst::VstInt32 value) { return value; }

    // Host properties
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual vst::VstInt32 getHostVendorVersion();
    virtual vst::VstIntPtr hostVendorSpecific(vst::VstInt32 lArg1, vst::VstIntPtr lArg2, void* ptrArg,
                                              float floatArg);
    virtual vst::VstInt32 canHostDo(char* text);
    virtual vst::VstInt32 getHostLanguage();

    // Plug-in properties
    virtual bool getEffectName(char* name) { return false; }
    virtual bool getVendorString(char* text) { return false; }
    virtual bool getProductString(char* text) { return false; }
    virtual vst::VstInt32 getVendorVersion() { return 0; }
    virtual vst::VstIntPtr vendorSpecific(vst::VstInt32 lArg, vst::VstIntPtr lArg2, void* ptrArg,
                                          float floatArg)
    {
        return 0;
    }
    virtual vst::VstInt32 canDo(char* text) { return 0; }
    virtual vst::VstInt32 getVstVersion() { return vst::kVstVersion; }
    virtual vst::VstPlugCategory getPlugCategory();
    virtual vst::VstInt32 getGetTailSize() { return 0; }

    // MIDI program names
    virtual vst::VstInt32 getMidiProgramName(vst::VstInt32 channel, vst::MidiProgramName* name) { return 0; }
    virtual vst::VstInt32 getCurrentMidiProgram(vst::VstInt32 channel, vst::MidiProgramName* current)
    {
        return -1;
    }
    virtual vst::VstInt32 getMidiProgramCategory(vst::VstInt32 channel, vst::MidiProgramCategory* category)
    {
        return 0;
    }
    virtual bool hasMidiProgramsChanged(vst::VstInt32 channel) { return false; }
    virtual bool getMidiKeyName(vst::VstInt32 channel, vst::MidiKeyName* keyName) { return false; }

    // Others
    virtual bool updateDisplay();
    virtual bool sizeWindow(vst::VstInt32 width, vst::VstInt32 height);
    virtual vst::VstInt32 getNextShellPlugin(char* name) { return 0; }

    void isSynth(bool state = true);
    void noTail(bool state = true);
};
