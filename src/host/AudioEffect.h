// The plug-in frame as a host addresses it: owns the AEffect record, routes the record's entry points to
// virtual operations, and keeps the basic host-visible state (rate, block size, programs, editor).
// Threads: dispatcher calls come from the host's user-interface thread, processing and events from its audio
// thread; the frame itself takes no lock.
#pragma once

#include "host/AEffEditor.h"
#include "host/VstInterface.h"

namespace host
{

class AudioEffect
{
public:
    AudioEffect(host::audioMasterCallback audioMaster, host::VstInt32 numPrograms, host::VstInt32 numParams);
    virtual ~AudioEffect();

    virtual host::VstIntPtr dispatcher(host::VstInt32 opcode, host::VstInt32 index, host::VstIntPtr value,
                                       void* ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
    virtual void setBlockSize(host::VstInt32 newBlockSize) { blockSize = newBlockSize; }
    virtual void processReplacing(float** inputs, float** outputs, host::VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, host::VstInt32 sampleFrames) {}
    virtual void setParameter(host::VstInt32 index, float value) {}
    virtual float getParameter(host::VstInt32 index) { return 0.0f; }
    virtual void setParameterAutomated(host::VstInt32 index, float value);
    virtual host::VstInt32 getProgram() { return curProgram; }
    virtual void setProgram(host::VstInt32 program) { curProgram = program; }
    virtual void setProgramName(char* name) {}
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(host::VstInt32 index, char* label) { *label = 0; }
    virtual void getParameterDisplay(host::VstInt32 index, char* text) { *text = 0; }
    virtual void getParameterName(host::VstInt32 index, char* text) { *text = 0; }
    virtual host::VstInt32 getChunk(void** data, bool isPreset = false) { return 0; }
    virtual host::VstInt32 setChunk(void* data, host::VstInt32 byteSize, bool isPreset = false) { return 0; }
    virtual void setUniqueID(host::VstInt32 iD) { cEffect.uniqueID = iD; }
    virtual void setNumInputs(host::VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(host::VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state = true) { setFlag(host::effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(host::effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(host::effFlagsProgramChunks, state); }
    virtual void setInitialDelay(host::VstInt32 delay) { cEffect.initialDelay = delay; }
    virtual AEffEditor* getEditor() { return editor; }
    virtual host::AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual host::VstInt32 getBlockSize() { return blockSize; }
    virtual host::VstInt32 getMasterVersion();
    virtual host::VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual void dB2string(float value, char* text, host::VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, host::VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, host::VstInt32 maxLen);
    virtual void float2string(float value, char* text, host::VstInt32 maxLen);
    virtual void int2string(host::VstInt32 value, char* text, host::VstInt32 maxLen);
    // Deprecated members: no behaviour, kept for the slot order hosts of the maker's own rely on.
    virtual void process(float** inputs, float** outputs, host::VstInt32 sampleFrames) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state = true) {}
    virtual void hasClip(bool state = true) {}
    virtual void canMono(bool state = true) {}
    virtual void setRealtimeQualities(host::VstInt32 qualities) {}
    virtual void setOfflineQualities(host::VstInt32 qualities) {}
    virtual bool isInputConnected(host::VstInt32 input) { return true; }
    virtual bool isOutputConnected(host::VstInt32 output) { return true; }

    // Makes the object the instance's editor (deleted with the instance) and sets the has-editor flag.
    void setEditor(AEffEditor* newEditor);
    host::audioMasterCallback getAudioMaster() const { return audioMaster; }

protected:
    void setFlag(host::VstInt32 flag, bool state);
    host::VstIntPtr callHost(host::VstInt32 opcode, host::VstInt32 index = 0, host::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f);

    float sampleRate = 44100.0f;
    AEffEditor* editor = nullptr;
    host::audioMasterCallback audioMaster;
    host::VstInt32 numPrograms;
    host::VstInt32 numParams;
    host::VstInt32 curProgram = 0;
    host::VstInt32 blockSize = 1024;
    host::AEffect cEffect{};

private:
    static host::VstIntPtr dispatchEffectClass(host::AEffect* e, host::VstInt32 opcode, host::VstInt32 index,
                                               host::VstIntPtr value, void* ptr, float opt);
    static void processClass(host::AEffect* e, float** inputs, float** outputs, host::VstInt32 sampleFrames);
    static void processClassReplacing(host::AEffect* e, float** inputs, float** outputs,
                                      host::VstInt32 sampleFrames);
    static void processClassDoubleReplacing(host::AEffect* e, double** inputs, double** outputs,
                                            host::VstInt32 sampleFrames);
    static void setParameterClass(host::AEffect* e, host::VstInt32 index, float value);
    static float getParameterClass(host::AEffect* e, host::VstInt32 index);
    static AudioEffect* instanceOf(host::AEffect* e);
};

} // namespace host
