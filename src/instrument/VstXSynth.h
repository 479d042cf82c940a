// The instrument: one object per plug-in instance. It answers the host through the AudioEffectX frame and
// owns everything the piano is made of: the synthesizer, the effects, the piano models, the programs.
// Threads: construction, destruction, setSampleRate, names, programs and chunks on the host's user-interface
// thread; processEvents and processReplacing on its audio thread; setParameter on either; the editor's
// key and pedal operations on the editor's thread. Requested settings and the display state cross between
// threads as atomics; the editor's events cross through the GuiEventQueue, the one lock.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dsp/HalfBandUpsampler.h"
#include "engine/SynthEngine.h"
#include "host/AudioEffectX.h"
#include "instrument/EffectsChain.h"
#include "instrument/GuiEventQueue.h"
#include "instrument/SharedSettings.h"
#include "instrument/SplashScreen.h"
#include "instrument/programs/ParameterTable.h"
#include "instrument/programs/PianoSettings.h"
#include "instrument/programs/PresetsFile.h"
#include "piano/BankLayout.h"
#include "piano/LidCurves.h"
#include "piano/MidiMessage.h"
#include "piano/ResonanceRamp.h"
#include "piano/SostenutoPedal.h"
#include "piano/TuningMessage.h"
#include "piano/VelocityTable.h"

namespace instrument
{

// One event of a block: its frame offset and the MIDI message, status in the low byte.
struct EventQueueEntry
{
    int32_t frameOffset;
    int32_t message;
};

class VstXSynth : public host::AudioEffectX
{
public:
    static constexpr host::VstInt32 kNumPrograms = 128;
    static constexpr host::VstInt32 kNumParams = 11;
    static constexpr host::VstInt32 kUniqueId = host::FourCC('V', 'l', 'D', 'o');

    explicit VstXSynth(host::audioMasterCallback audioMaster);
    ~VstXSynth() override;

    // Audio
    void processReplacing(float** inputs, float** outputs, host::VstInt32 sampleFrames) override;
    void setSampleRate(float sampleRate) override;
    // Both size every buffer and event list of the audio path for blocks of the announced size, so that
    // processing allocates nothing; a larger block is rendered in pieces of that size.
    void setBlockSize(host::VstInt32 newBlockSize) override;
    void resume() override;
    host::VstInt32 processEvents(host::VstEvents* events) override;

    // Parameters
    void setParameter(host::VstInt32 index, float value) override;
    float getParameter(host::VstInt32 index) override;
    void getParameterName(host::VstInt32 index, char* text) override;
    void getParameterDisplay(host::VstInt32 index, char* text) override;
    void getParameterLabel(host::VstInt32 index, char* label) override;

    // Programs and state
    void setProgram(host::VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(host::VstInt32 category, host::VstInt32 index, char* text) override;
    host::VstInt32 getChunk(void** data, bool isPreset) override;
    host::VstInt32 setChunk(void* data, host::VstInt32 byteSize, bool isPreset) override;
    host::VstInt32 getMidiProgramName(host::VstInt32 channel, host::MidiProgramName* name) override;
    host::VstInt32 getCurrentMidiProgram(host::VstInt32 channel, host::MidiProgramName* current) override;
    host::VstInt32 getMidiProgramCategory(host::VstInt32 channel,
                                          host::MidiProgramCategory* category) override;
    bool hasMidiProgramsChanged(host::VstInt32 channel) override { return false; }
    bool getMidiKeyName(host::VstInt32 channel, host::MidiKeyName* keyName) override;

    // Names and host questions
    bool getOutputProperties(host::VstInt32 index, host::VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    host::VstInt32 getVendorVersion() override;
    host::VstIntPtr vendorSpecific(host::VstInt32 lArg, host::VstIntPtr lArg2, void* ptrArg,
                                   float floatArg) override;
    host::VstInt32 canDo(char* text) override;

    // The instrument's own operations, after the frame's.
    // Loads the data file beside the module into the synthesizer and creates the router; shows the splash
    // screen when the process has no sample data yet. Returns 1.
    virtual int loadSoundBank();
    // Renders a block; the same as processReplacing.
    virtual void processBlock(float** inputs, float** outputs, host::VstInt32 sampleFrames);
    // Whether the instrument plays through an engine outside the plug-in: never.
    virtual bool usesExternalEngine() { return false; }
    // Puts a lid curve (ten band gains in dB) into both channels of the equaliser; false without a curve or
    // an equaliser.
    virtual bool setLidCurve(const piano::LidCurves::Curve* curve);

    // The editor's keyboard and pedals (editor thread): each becomes a MIDI message with a frame offset
    // from the time since the audio thread last drained the queue.
    void keyPressed(int key, int velocity);
    void keyReleased(int key, int velocity);
    void sustainPedal(bool down);
    void softPedal(bool down);

    // State the editor's refresh reads without a lock.
    bool isKeyDown(int key) const;
    bool isSustainDown() const { return sustainDown.load(std::memory_order_relaxed) != 0; }
    bool isSoftDown() const { return softDown.load(std::memory_order_relaxed) != 0; }
    // Reads and clears the flag that says the keys, pedals or controls need drawing again.
    bool takeDisplayChanged() { return displayChanged.exchange(0, std::memory_order_relaxed) != 0; }

    PianoSettings requestedSettings() const { return requested.load(); }
    const PianoSettings& appliedSettings() const { return applied; }
    const piano::ResonanceRamp& resonance() const { return resonanceRamp; }
    // The middle pedal; audio thread.
    const piano::SostenutoPedal& sostenutoPedal() const { return sostenuto; }
    const piano::VelocityTable& velocities() const { return velocityTable; }
    bool reverbAsleep() const { return effects.asleep(); }
    int programCount() const { return programs.count(); }
    engine::SynthEngine* synthEngine() { return engine.get(); }
    dsp::TenBandEQ* equaliser() { return effects.equaliser(); }
    // The rate the engine renders at: the host's, or half of it above the engine's range (the upsampler
    // brings it back up).
    float engineSampleRate() const { return engineRate; }
    // Frames the upsampler delays the output by: its delay at a halved engine rate, else 0.
    int upsamplerDelay() const { return engineAtHalfRate ? dsp::HalfBandUpsampler::kDelayFrames : 0; }
    // The most events one block holds; later ones of the same block are dropped.
    int eventCapacity() const { return static_cast<int>(blockEvents.capacity()); }

    // Opens the manual beside the module ("html") at the section of a help context (0: the overview).
    void openHelp(int context);
    // The manual's section of a help context; "" for a context it does not know.
    static const char* helpSection(int context);

    // The frames by which the output trails the events that make it: every delay of the output chain (the
    // limiter's look-ahead, and the upsampler's above the engine's range). The record's initial delay
    // reports it to the host.
    host::VstInt32 outputDelay() const;

    // The number of live instances in the process.
    static int liveInstances();

    // Makes the editor of a new instance; the module sets it once, so the instrument itself never
    // depends on the editor's toolkit. Without one an instance has no editor.
    using EditorFactory = host::AEffEditor* (*)(VstXSynth* synth);
    static void setEditorFactory(EditorFactory factory);
    // Makes the splash screen of the first sound-bank read from the skin file (null: none is shown).
    using SplashFactory = SplashScreen* (*)(const std::string& skinFile, void* parentWindow);
    static void setSplashFactory(SplashFactory factory);
    // How many times instances in this process asked for a splash screen.
    static int splashRequests();

private:
    // The highest rate the engine renders at.
    static constexpr float kEngineTopRate = 96000.0f;
    // Events one block can hold per frame of the announced size (and at least kMinimumEvents).
    static constexpr int kEventsPerFrame = 2;
    static constexpr int kMinimumEvents = 1024;
    // The tuning dumps one block can hold, and their bytes; later ones of the same block are dropped.
    static constexpr int kMaxDumps = 1024;
    static constexpr int kDumpBytes = 32768;
    // A tuning dump of the block takes its event's place as a message no MIDI event packs to: status 0xF0,
    // the dump's index in the two data bytes and a top byte of 1, where a MIDI event's is 0.
    static constexpr uint32_t kDumpEvent = 0x010000F0u;
    static constexpr uint32_t kDumpEventMask = 0xFF0000FFu;
    // Buffers are sized for at most this many frames, whatever block size a host announces; longer blocks
    // are rendered in pieces of it.
    static constexpr int kMaxPreparedFrames = 65536;

    // The engine's rate for a host rate: halved when only half of it is in the engine's range.
    static float engineRateFor(float hostRate);

    void logStartUp();
    void takeHostVendorPath();
    void createEffects();
    void readPresets();
    // The data-load-failure message with the body of the string table's key: the sound bank or, when the
    // synthesizer library itself is missing, the library.
    void showDataLoadFailure(const char* bodyKey);
    void showSplash();
    void logRateOutsideEngine() const;
    void logEngineRate() const;
    void chooseEngineRate();
    void prepareBuffers();
    void markSettingsChanged();
    // Puts outputDelay into the record's initial delay and tells the host through ioChanged when it changed.
    void reportOutputDelay();
    void queueEditorEvent(uint8_t status, int data1, int data2);
    // Merges the host's events (none for a null list) and the editor's into the coming block, and echoes
    // the editor's notes to the host.
    void mergeEvents(host::VstEvents* events);
    // Keeps a copy of a host's dump that is a tuning message for the piano, and gives the message that
    // stands for it in the block; false for any other dump, or when the block has no room left for it.
    bool takeDump(const host::VstMidiSysexEvent& event, int32_t& message);
    void handleDump(int index);

    void applySettings();
    // Forgets the block's events and dumps once it is rendered.
    void endBlock();
    void updateChorusUnit();
    void renderPiece(float* left, float* right, int frames, int firstEvent, int endEvent, int offset);
    void renderStretch(int frames, float* left, float* right);
    void renderEngine(int frames, float* left, float* right);
    void handleEvent(int32_t message);
    void noteOn(int key, int velocity);
    void noteOff(int key, int velocity);
    // The note of a key ends: note-off to the engine, then the key's release noise.
    void endNote(int key, int velocity);
    void controlChange(int controller, int value);
    void sustainChange(int value);
    void sostenutoChange(int value);
    void setRequestedAmount(float PianoSettings::*field, float value);
    void sendToEngine(const piano::MidiMessage& message);
    void appendEvents(const EventQueueEntry* events, int count);

    // Engine
    std::unique_ptr<engine::SynthEngine> engine;
    // Read by the editor's thread to time-stamp its events.
    std::atomic<double> samplesPerMillisecond{0.0};
    float engineRate = 0.0f;
    bool engineAtHalfRate = false;
    dsp::HalfBandUpsampler upsampler;
    // The engine's frames of one stretch at a halved rate, before the upsampler.
    std::unique_ptr<float[]> engineLeft;
    std::unique_ptr<float[]> engineRight;
    int engineCapacity = 0;
    // The largest piece of a block every buffer of the audio path holds.
    int preparedFrames = 0;

    // Effects
    EffectsChain effects;

    // Piano models
    piano::LidCurves lidCurves;
    piano::VelocityTable velocityTable;
    piano::ResonanceRamp resonanceRamp;
    piano::SostenutoPedal sostenuto;
    // The sustain pedal's last value (audio thread): where the dampers stand.
    int sustainValue = 0;
    std::atomic<uint8_t> sustainDown{0};
    std::atomic<uint8_t> softDown{0};

    // Settings
    SharedSettings requested;
    PianoSettings applied;
    std::atomic<uint8_t> settingsChanged{0};
    std::atomic<uint8_t> displayChanged{0};
    // What getChunk hands the host: a copy of the requested settings that lives as long as the instance.
    PianoSettings chunk;
    ParameterTable parameterTable;

    // Events of the coming block, in time order; their capacity is set ahead with the block size.
    std::vector<EventQueueEntry> blockEvents;
    int blockEventCount = 0;
    std::vector<EventQueueEntry> mergeScratch;
    // The host's events of one list, in list order, with their offsets as the host gave them.
    std::vector<EventQueueEntry> hostEvents;
    // Whether the host gave the coming block its events; a block without them drains the editor's queue
    // itself, since some hosts call processEvents only for blocks that carry events.
    bool eventsMerged = false;
    // The coming block's tuning dumps: where each lies in the bytes.
    struct DumpPlace
    {
        int start;
        int length;
    };
    std::vector<DumpPlace> dumps;
    std::vector<uint8_t> dumpBytes;
    piano::TuningMessage tuningMessage;
    // The piano keys a tuning message retunes, in its order: all of them, or the changes it names.
    uint8_t tunedKeys[std::max(piano::kNumKeys, piano::TuningMessage::kMaxChanges)] = {};
    double tunedCents[std::max(piano::kNumKeys, piano::TuningMessage::kMaxChanges)] = {};
    std::vector<GuiEvent> drainedEvents;
    std::vector<host::VstMidiEvent> echoEvents;
    std::vector<unsigned char> echoList;
    std::unique_ptr<GuiEventQueue> guiEvents;
    std::atomic<uint32_t> lastDrainTime{0};
    std::atomic<uint8_t> keyDown[piano::kNumKeys] = {};

    // Programs
    PresetsFile programs;
    int32_t channelPrograms[16] = {};

    // A host of the maker's own supplies its parent window; null for every other host.
    void* parentWindow = nullptr;
    std::unique_ptr<SplashScreen> splash;
};

} // namespace instrument
