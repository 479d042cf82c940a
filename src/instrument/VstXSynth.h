// The instrument: one object per plug-in instance. It answers the host through the AudioEffectX frame and
// owns everything the piano is made of.
// Threads: construction, destruction, names, programs and chunks on the host's user-interface thread;
// processEvents and processReplacing on its audio thread. Requested settings cross from other threads to
// the audio thread, which applies them at the start of each block.
#pragma once

#include <cstdint>
#include <memory>

#include "AudioEffectX.h"
#include "GuiEventQueue.h"
#include "programs/PianoSettings.h"

class VstXSynth : public AudioEffectX
{
public:
    static constexpr vst::VstInt32 kNumPrograms = 128;
    static constexpr vst::VstInt32 kNumParams = 11;
    static constexpr vst::VstInt32 kUniqueId = vst::FourCC('V', 'l', 'D', 'o');
    static constexpr int kLowestKey = 21;
    static constexpr int kNumKeys = 88;

    explicit VstXSynth(vst::audioMasterCallback audioMaster);
    ~VstXSynth() override;

    void processReplacing(float** inputs, float** outputs, vst::VstInt32 sampleFrames) override;

    bool getOutputProperties(vst::VstInt32 index, vst::VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    vst::VstInt32 getVendorVersion() override;
    vst::VstIntPtr vendorSpecific(vst::VstInt32 lArg, vst::VstIntPtr lArg2, void* ptrArg,
                                  float floatArg) override;
    vst::VstInt32 canDo(char* text) override;

    // Settings as the host, controllers and the editor last asked for them, and as the audio path uses them.
    const PianoSettings& requestedSettings() const { return requested; }
    const PianoSettings& appliedSettings() const { return applied; }

    // The number of live instances in the process.
    static int liveInstances();

private:
    void logStartUp();
    void takeHostVendorPath();
    void showDataLoadFailure();

    PianoSettings requested{};
    PianoSettings applied{};
    uint8_t settingsChanged = 0;
    uint8_t displayChanged = 0;

    std::unique_ptr<GuiEventQueue> guiEvents;
    uint32_t lastDrainTime = 0;
    uint8_t keyDown[kNumKeys] = {};
    int32_t channelPrograms[16] = {};

    // A host of the maker's own supplies its parent window; null for every other host.
    void* parentWindow = nullptr;
};
