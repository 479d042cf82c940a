#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/FluidSynthApi.h"
#include "engine/SoundBankInstrument.h"

namespace engine
{

class KeyStrikes;
class SampleDataCache;

// A preset of a loaded sound bank and its engine object. Its note-on starts one voice for every
// pair of matching preset zone and instrument zone with a usable sample: instrument generators
// set absolutely (local, else global), instrument modulators overwrite, preset generators add
// (local, else global), preset modulators add; the engine then ends voices of the same
// exclusive class. With a table of strikes, the voices of each strike are kept there, so that the
// key's next strike ends them. Threads: built on the host's thread; noteOn runs on the thread sending
// notes.
class SoundBankPreset
{
public:
    SoundBankPreset(const SoundFontPreset& record,
                    const std::vector<std::unique_ptr<SoundBankInstrument>>& instruments,
                    const SampleDataCache& sampleCache, KeyStrikes* keyStrikes = nullptr);
    ~SoundBankPreset();
    SoundBankPreset(const SoundBankPreset&) = delete;
    SoundBankPreset& operator=(const SoundBankPreset&) = delete;

    // Creates the engine's preset object for sfont; false when it cannot be created.
    bool attach(fluid_sfont_t* sfont);
    fluid_preset_t* preset() const { return fluidPreset; }

    const std::string& name() const { return presetName; }
    int bank() const { return bankNumber; }
    int number() const { return presetNumber; }

    int noteOn(fluid_synth_t* synth, int channel, int key, int velocity) const;

private:
    struct Zone
    {
        SoundBankZone zone;
        const SoundBankInstrument* instrument;
    };

    int startVoices(fluid_synth_t* synth, int channel, int key, int velocity) const;
    void startVoice(fluid_synth_t* synth, fluid_voice_t* voice, const Zone& presetZone,
                    const SoundBankInstrument::Zone& instrumentZone) const;

    std::string presetName;
    int bankNumber;
    int presetNumber;
    std::unique_ptr<SoundBankZone> global;
    std::vector<Zone> zones; // reverse file order, like instrument zones
    const SampleDataCache& cache;
    KeyStrikes* strikes;
    fluid_preset_t* fluidPreset = nullptr;
};

} // namespace engine
