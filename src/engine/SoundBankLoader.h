#pragma once

#include <memory>
#include <string>

#include "engine/FluidSynthApi.h"
#include "engine/SampleDataCache.h"
#include "engine/SoundFontData.h"

namespace engine
{

class KeyStrikes;

// Adds the system's SoundFont loader to a new synthesizer, ahead of the engine's own loaders.
// Must be called right after new_fluid_synth: the engine ignores loaders added once a bank is
// loaded (false then). The loader lives as long as the synthesizer. With strikes, the banks it loads
// keep the voices of each key's strikes there (they must outlive the synthesizer); without, every
// strike is the synthesizer's alone.
bool RegisterSoundBankLoader(fluid_synth_t* synth, SampleDataCache& cache = SampleDataCache::shared(),
                             KeyStrikes* strikes = nullptr);

// Loads a sound bank through the system's loader only: the sound bank id, or -1 (logged) when no
// loader is registered for synth, the file is damaged or not a SoundFont ("RIFF" or "TAL"+0x1A),
// or its sample data cannot be attached. Use it instead of fluid_synth_sfload: when a loader
// refuses a file the engine tries its own loaders next, which would load a damaged bank without
// the shared sample data. So the file is validated here first and handed to the loader already
// parsed, and a bank that came from another loader after all is unloaded again.
// Runs on the host's thread that owns the synthesizer.
int LoadSoundBank(fluid_synth_t* synth, const char* path, int resetPresets = 1);

// The loader object behind the two functions above; the synthesizer owns it.
class SoundBankLoader
{
public:
    SoundBankLoader(SampleDataCache& sampleCache, KeyStrikes* keyStrikes)
        : cache(sampleCache), strikes(keyStrikes)
    {
    }

    // Called through fluid_synth_sfload. Uses the file parsed by LoadSoundBank when it is the one
    // asked for, else parses it itself; nullptr when refused.
    fluid_sfont_t* load(const char* path);

    // Set by LoadSoundBank around fluid_synth_sfload.
    void setPending(std::string path, std::unique_ptr<SoundFontData> data);
    void clearPending();
    fluid_sfont_t* lastLoaded() const { return lastLoadedFont; }

private:
    SampleDataCache& cache;
    KeyStrikes* strikes;
    std::string pendingPath;
    std::unique_ptr<SoundFontData> pending;
    fluid_sfont_t* lastLoadedFont = nullptr;
};

} // namespace engine
