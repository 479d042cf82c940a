#pragma once

#include <memory>
#include <vector>

#include "engine/FluidSynthLibrary.h"
#include "engine/SoundFontData.h"

namespace engine
{

// The modulators of one zone, converted to the engine's form with the SoundFont 2.01 rules:
// invalid sources are removed, an unknown curve or transform disables (amount 0), of identical
// modulators only the last stays, and at most kMaxModulators remain.
class SoundBankModulatorList
{
public:
    static constexpr size_t kMaxModulators = 64; // the voice's modulator table

    explicit SoundBankModulatorList(const std::vector<SoundFontModulatorRecord>& records);

    // Adds local plus the global modulators not identical to a local one to the voice. Instrument
    // level overwrites (disabled ones included), preset level adds (disabled ones skipped).
    static void addToVoice(fluid_voice_t* voice, const SoundBankModulatorList* global,
                           const SoundBankModulatorList& local, int mode);

    size_t size() const { return modulators.size(); }
    const fluid_mod_t* at(size_t i) const { return modulators[i].get(); }

private:
    struct ModDeleter
    {
        void operator()(fluid_mod_t* mod) const { FluidSynth().delete_fluid_mod(mod); }
    };
    using ModPointer = std::unique_ptr<fluid_mod_t, ModDeleter>;

    static ModPointer convert(const SoundFontModulatorRecord& record);

    std::vector<ModPointer> modulators;
};

} // namespace engine
