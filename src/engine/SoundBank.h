#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/FluidSynthApi.h"
#include "engine/SoundBankInstrument.h"
#include "engine/SoundBankPreset.h"
#include "engine/SoundBankSample.h"
#include "engine/SoundFontData.h"

namespace engine
{

class KeyStrikes;
class SampleDataCache;

// A sound bank loaded by the system's loader: the engine's SoundFont object with its presets,
// instruments and samples. The samples point into the block shared through the cache, attached
// when the bank is created and released when the engine frees the bank.
// Threads: created and freed on the host's thread; presets play on the thread sending notes.
class SoundBank
{
public:
    // Builds the bank for the parsed file at bankPath; nullptr (logged) when the sample data cannot
    // be attached or an engine object cannot be created. Its presets keep their strikes in strikes when
    // there is a table.
    static fluid_sfont_t* Create(const std::string& bankPath, const SoundFontData& data,
                                 SampleDataCache& sampleCache, KeyStrikes* strikes = nullptr);

    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

private:
    SoundBank(std::string bankPath, SampleDataCache& sampleCache, KeyStrikes* keyStrikes);
    bool build(const SoundFontData& data);

    static SoundBank* BankOf(fluid_sfont_t* sfont);
    static const char* GetName(fluid_sfont_t* sfont);
    static fluid_preset_t* GetPreset(fluid_sfont_t* sfont, int bank, int number);
    static void IterationStart(fluid_sfont_t* sfont);
    static fluid_preset_t* IterationNext(fluid_sfont_t* sfont);
    static int Free(fluid_sfont_t* sfont);

    std::string path;
    SampleDataCache& cache;
    KeyStrikes* strikes;
    const int16_t* block = nullptr;
    fluid_sfont_t* fluidFont = nullptr;
    std::vector<std::unique_ptr<SoundBankSample>> samples;
    std::vector<std::unique_ptr<SoundBankInstrument>> instruments;
    std::vector<std::unique_ptr<SoundBankPreset>> presets; // by bank, then preset number
    size_t iteration = 0;
};

} // namespace engine
