// The instrument's binding to the synthesizer: engine settings, the synthesizer with the system's own sound
// bank loader, the list of the bank's presets, and the MIDI router through which every event reaches it. It
// plays each piano key as one set of strings (a new strike fades the earlier one out, released keys follow
// the dampers and their release velocity; see KeyStrikes).
// Threads: creation, loading, re-creation and destruction on the host's thread while no audio runs; send,
// setDamping and render on the audio thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/FluidSynthApi.h"
#include "engine/KeyStrikes.h"
#include "engine/SynthTuning.h"

namespace engine
{

struct PresetRecord
{
    int32_t bank; // the preset's bank number plus the sound bank's bank offset
    int32_t program;
    char name[64];
};

class SynthEngine
{
public:
    // Sees every event the router hands to the synthesizer (type 0x80/0x90/0xB0, channel 0).
    using EventObserver = void (*)(void* context, int type, int data1, int data2);

    // Creates the settings: two audio groups, the rate when not 0, polyphony 256, the engine's reverb off.
    // The engine renders at 8000 to 96000 Hz; a rate outside that range is not taken (see runsAtRate).
    explicit SynthEngine(double sampleRate);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    bool hasSettings() const { return settings != nullptr; }
    bool hasSynth() const { return synth != nullptr; }
    bool hasRouter() const { return router != nullptr; }
    // True once the current synthesizer holds a sound bank.
    bool hasSoundBank() const { return soundBankId != -1; }

    // False when the engine cannot render at the rate last asked for: no synthesizer is created then, so
    // that nothing plays at a pitch and speed meant for another rate.
    bool runsAtRate() const { return rateAccepted; }

    // Creates the synthesizer, without a drum channel, with the system's loader registered; false when it
    // cannot be created or the engine does not run at the rate.
    bool createSynth();
    // Loads the data file, fills the preset list, selects the first preset, and creates the router
    // whatever the result. Returns the sound bank id or -1.
    int load(const std::string& dataFile);
    // Deletes the synthesizer and the router and forgets the preset list.
    void destroySynth();
    // The rate of the next synthesizer; false when the engine cannot render at it.
    bool setSampleRate(double sampleRate);
    // fluid_synth_program_select on channel 0 of sound bank 1.
    bool programSelect(int bank, int program);

    // Sends one event on channel 0 through the router; dropped when there is no router.
    void send(int type, int data1, int data2);
    // After the sustain pedal was sent: how far its dampers rest on the strings, from 1 (resting) to 0
    // (lifted away).
    void setDamping(float damping);
    // Renders frames into both buffers, replacing their contents; zeros without a synthesizer.
    void render(int frames, float* left, float* right);
    // Frames rendered since the engine was made: where in the output an event sent now takes effect.
    uint64_t framesRendered() const { return renderedFrames; }
    // The tuning from the sequencer (see SynthTuning), which a new synthesizer takes over: the pitches of
    // keys in cents above key 0, the master fine tuning in cents and the coarse one in semitones.
    void tuneKeys(int count, const uint8_t* keys, const double* cents, bool sounding);
    void setMasterFine(double cents);
    void setMasterCoarse(int semitones);

    // The voices the synthesizer plays now; 0 without a synthesizer.
    int activeVoices() const;
    // Switches the engine's chorus unit on or off. Off, the engine skips its effects pass altogether (and
    // with it the OpenMP parallel region whose one-thread team the runtime allocates on every pass).
    void setChorusActive(bool on);

    const std::vector<PresetRecord>& presets() const { return presetList; }
    // The bank and program that channel 0 plays; false without a synthesizer.
    bool channelProgram(int& bank, int& program) const;
    void setEventObserver(EventObserver observer, void* context);

private:
    static int routerOutput(void* data, fluid_midi_event_t* event);
    void fillPresetList();

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_midi_router_t* router = nullptr;
    fluid_midi_event_t* event = nullptr; // reused for every send: no allocation on the audio thread
    int soundBankId = -1;
    bool rateAccepted = true;
    double rate = 44100.0; // the engine's own when the host gives none
    KeyStrikes strikes;
    // Where the synthesizer stands in its rendering block: a fade's step must come at the block's start.
    int blockPosition = 0;
    std::vector<PresetRecord> presetList;
    EventObserver observer = nullptr;
    void* observerContext = nullptr;
    uint64_t renderedFrames = 0;
    SynthTuning tuning;
};

} // namespace engine
