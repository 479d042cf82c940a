#include "engine/SoundBank.h"

#include <algorithm>
#include <exception>

#include "engine/FluidSynthLibrary.h"
#include "engine/SampleDataCache.h"

namespace engine
{

SoundBank::SoundBank(std::string bankPath, SampleDataCache& sampleCache, KeyStrikes* keyStrikes)
    : path(std::move(bankPath)), cache(sampleCache), strikes(keyStrikes)
{
}

SoundBank::~SoundBank()
{
    // Presets and samples are the engine's objects too; they go before the block they use.
    presets.clear();
    instruments.clear();
    samples.clear();
    cache.release(block);
    if (fluidFont != nullptr)
        FluidSynth().delete_fluid_sfont(fluidFont);
}

fluid_sfont_t* SoundBank::Create(const std::string& bankPath, const SoundFontData& data,
                                 SampleDataCache& sampleCache, KeyStrikes* strikes)
{
    try
    {
        std::unique_ptr<SoundBank> bank(new SoundBank(bankPath, sampleCache, strikes));
        if (!bank->build(data))
            return nullptr;
        return bank.release()->fluidFont;
    }
    catch (const std::exception&)
    {
        FluidSynth().fluid_log(kFluidError, "Out of memory while loading %s", bankPath.c_str());
        return nullptr;
    }
}

bool SoundBank::build(const SoundFontData& data)
{
    if (data.sampleDataSize > 0)
    {
        block = cache.attach(path, data.sampleDataOffset, data.sampleDataSize);
        if (block == nullptr)
        {
            FluidSynth().fluid_log(kFluidError, "Cannot load the sample data of %s", path.c_str());
            return false;
        }
    }
    fluidFont = FluidSynth().new_fluid_sfont(GetName, GetPreset, IterationStart, IterationNext, Free);
    if (fluidFont == nullptr)
        return false;
    FluidSynth().fluid_sfont_set_data(fluidFont, this);

    const uint32_t blockPoints = data.sampleDataSize / 2;
    samples.reserve(data.samples.size());
    for (const SoundFontSampleHeader& header : data.samples)
    {
        samples.push_back(std::make_unique<SoundBankSample>(header, block, blockPoints));
    }
    instruments.reserve(data.instruments.size());
    for (const SoundFontInstrument& instrument : data.instruments)
    {
        instruments.push_back(std::make_unique<SoundBankInstrument>(instrument, samples));
    }
    presets.reserve(data.presets.size());
    for (const SoundFontPreset& preset : data.presets)
    {
        presets.push_back(std::make_unique<SoundBankPreset>(preset, instruments, cache, strikes));
    }
    // Hosts and songs see presets in the engine's usual order: by bank, then preset number.
    std::stable_sort(presets.begin(), presets.end(),
                     [](const auto& a, const auto& b)
                     { return a->bank() != b->bank() ? a->bank() < b->bank() : a->number() < b->number(); });
    for (const auto& preset : presets)
    {
        if (!preset->attach(fluidFont))
            return false;
    }
    return true;
}

SoundBank* SoundBank::BankOf(fluid_sfont_t* sfont)
{
    return static_cast<SoundBank*>(FluidSynth().fluid_sfont_get_data(sfont));
}

const char* SoundBank::GetName(fluid_sfont_t* sfont)
{
    return BankOf(sfont)->path.c_str();
}

fluid_preset_t* SoundBank::GetPreset(fluid_sfont_t* sfont, int bank, int number)
{
    for (const auto& preset : BankOf(sfont)->presets)
    {
        if (preset->bank() == bank && preset->number() == number)
            return preset->preset();
    }
    return nullptr;
}

void SoundBank::IterationStart(fluid_sfont_t* sfont)
{
    BankOf(sfont)->iteration = 0;
}

fluid_preset_t* SoundBank::IterationNext(fluid_sfont_t* sfont)
{
    SoundBank* bank = BankOf(sfont);
    if (bank->iteration >= bank->presets.size())
        return nullptr;
    return bank->presets[bank->iteration++]->preset();
}

int SoundBank::Free(fluid_sfont_t* sfont)
{
    delete BankOf(sfont);
    return 0;
}

} // namespace engine
