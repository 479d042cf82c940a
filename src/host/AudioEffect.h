// The plug-in frame as a host addresses it: owns the AEffect record, routes the record's entry points to
// virtual operations, and keeps the basic host-visible state (rate, block size, programs, editor).
// Threads: dispatcher calls come from the host's user-interface thread, processing and events from its audio
// thread; the frame itself takes no lock.
#pragma once

#include "AEffEditor.h"
#include "VstInterface.h"

class AudioEffect
{
public:
    AudioEffect(vst::audioMasterCallback audioMaster, vst::VstInt32 numPrograms, vst::VstInt32 numParams);
    virtual ~AudioEffect();

    virtual vst::VstIntPtr dispatcher(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value,
                                      void* ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
    virtual void setBlockSize(vst::VstInt32 newBlockSize) { blockSize = newBlockSize; }
    virtual void processReplacing(float** inputs, float** outputs, vst::VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, vst::VstInt32 sampleFrames) {}
    virtual void setParameter(vst::VstInt32 index, float value) {}
    virtual float getParameter(vst::VstInt32 index) { return 0.0f; }
    virtual void setParameterAutomated(vst::VstInt32 index, float value);
    virtual vst::VstInt32 getProgram() { return curProgram; }
    virtual void setProgram(vst::VstInt32 program) { curProgram = program; }
    virtual void setProgramName(char* name) {}
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(vst::VstInt32 index, char* label) { *label = 0; }
    virtual void getParameterDisplay(vst::VstInt32 index, char* text) { *text = 0; }
    virtual void getParameterName(vst::VstInt32 index, char* text) { *text = 0; }
    virtual vst::VstInt32 getChunk(void** data, bool isPreset = false) { return 0; }
    virtual vst::VstInt32 setChunk(void* data, vst::VstInt32 byteSize, bool isPreset = false) { return 0; }
    virtual void setUniqueID(vst::VstInt32 iD) { cEffect.uniqueID = iD; }
    virtual void setNumInputs(vst::VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(vst::VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state = true) { setFlag(vst::effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(vst::effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(vst::effFlagsProgramChunks, state); }
    virtual void setInitialDelay(vst::VstInt32 delay) { cEffect.initialDelay = delay; }
    virtual AEffEditor* getEditor() { return editor; }
    virtual vst::AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual vst::VstInt32 getBlockSize() { return blockSize; }
    virtual vst::VstInt32 getMasterVersion();
    virtual vst::VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual void dB2string(float value, char* text, vst::VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, vst::VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, vst::VstInt32 maxLen);
    virtual void float2string(float value, char* text, vst::VstInt32 maxLen);
    virtual void int2string(vst::VstInt32 value, char* text, vst::VstInt32 maxLen);
    // Deprecated members: no behaviour, kept for the slot order hosts of the maker's own rely on.
    virtual void process(float** inputs, float** outputs, vst::VstInt32 sampleFrames) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state = true) {}
    virtual void hasClip(bool state = true) {}
    virtual void canMono(bool state = true) {}
    virtual void setRealtimeQualities(vst::VstInt32 qualities) {}
    virtual void setOfflineQualities(vst::VstInt32 qualities) {}
    virtual bool isInputConnected(vst::VstInt32 input) { return true; }
    virtual bool isOutputConnected(vst::VstInt32 output) { return true; }

    // Makes the object the instance's editor (deleted with the instance) and sets the has-editor flag.
    void setEditor(AEffEditor* newEditor);
    vst::audioMasterCallback getAudioMaster() const { return audioMaster; }

protected:
    void setFlag(vst::VstInt32 flag, bool state);
    vst::VstIntPtr callHost(vst::VstInt32 opcode, vst::VstInt32 index = 0, vst::VstIntPtr value = 0,
                            void* ptr = nullptr, float opt = 0.0f);

    float sampleRate = 44100.0f;
    AEffEditor* editor = nullptr;
    vst::audioMasterCallback audioMaster;
    vst::VstInt32 numPrograms;
    vst::VstInt32 numParams;
    vst::VstInt32 curProgram = 0;
    vst::VstInt32 blockSize = 1024;
    vst::AEffect cEffect{};

private:
    static vst::VstIntPtr VSTCALLBACK dispatchEffectClass(vst::AEffect* e, vst::VstInt32 opcode,
                                                          vst::VstInt32 index, vst::VstIntPtr value,
                                                          void* ptr, float opt);
    static void VSTCALLBACK processClass(vst::AEffect* e, float** inputs, float** outputs,
                                         vst::VstInt32 sampleFrames);
    static void VSTCALLBACK processClassReplacing(vst::AEffect* e, float** inputs, float** outputs,
                                                  vst::VstInt32 sampleFrames);
    static void VSTCALLBACK processClassDoubleReplacing(vst::AEffect* e, double** inputs, double** outputs,
                                                        vst::VstInt32 sampleFrames);
    static void VSTCALLBACK setParameterClass(vst::AEffect* e, vst::VstInt32 index, float value);
    static float VSTCALLBACK getParameterClass(vst::AEffect* e, vst::VstInt32 index);
    static AudioEffect* instanceOf(vst::AEffect* e);
};
