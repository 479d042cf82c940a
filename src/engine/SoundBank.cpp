#include "engine/SoundBank.h"

#include <algorithm>
#include <exception>

#include "engine/SampleDataCache.h"

namespace engine
{

SoundBank::SoundBank(std::string path, SampleDataCache& cache) : path_(std::move(path)), cache_(cache) {}

SoundBank::~SoundBank()
{
    // Presets and samples are the engine's objects too; they go before the block they use.
    presets_.clear();
    instruments_.clear();
    samples_.clear();
    cache_.release(block_);
    if (sfont_ != nullptr)
        delete_fluid_sfont(sfont_);
}

fluid_sfont_t* SoundBank::Create(const std::string& path, const SoundFontData& data, SampleDataCache& cache)
{
    try
    {
        std::unique_ptr<SoundBank> bank(new SoundBank(path, cache));
        if (!bank->build(data))
            return nullptr;
        return bank.release()->sfont_;
    }
    catch (const std::exception&)
    {
        fluid_log(FLUID_ERR, "Out of memory while loading %s", path.c_str());
        return nullptr;
    }
}

bool SoundBank::build(const SoundFontData& data)
{
    if (data.sampleDataSize > 0)
    {
        block_ = cache_.attach(path_, data.sampleDataOffset, data.sampleDataSize);
        if (block_ == nullptr)
        {
            fluid_log(FLUID_ERR, "Cannot load the sample data of %s", path_.c_str());
            return false;
        }
    }
    sfont_ = new_fluid_sfont(GetName, GetPreset, IterationStart, IterationNext, Free);
    if (sfont_ == nullptr)
        return false;
    fluid_sfont_set_data(sfont_, this);

    const uint32_t blockPoints = data.sampleDataSize / 2;
    samples_.reserve(data.samples.size());
    for (const SoundFontSampleHeader& header : data.samples)
    {
        samples_.push_back(std::make_unique<SoundBankSample>(header, block_, blockPoints));
    }
    instruments_.reserve(data.instruments.size());
    for (const SoundFontInstrument& instrument : data.instruments)
    {
        instruments_.push_back(std::make_unique<SoundBankInstrument>(instrument, samples_));
    }
    presets_.reserve(data.presets.size());
    for (const SoundFontPreset& preset : data.presets)
    {
        presets_.push_back(std::make_unique<SoundBankPreset>(preset, instruments_, cache_));
    }
    // Hosts and songs see presets in the engine's usual order: by bank, then preset number.
    std::stable_sort(presets_.begin(), presets_.end(),
                     [](const auto& a, const auto& b)
                     { return a->bank() != b->bank() ? a->bank() < b->bank() : a->number() < b->number(); });
    for (const auto& preset : presets_)
    {
        if (!preset->attach(sfont_))
            return false;
    }
    return true;
}

SoundBank* SoundBank::BankOf(fluid_sfont_t* sfont)
{
    return static_cast<SoundBank*>(fluid_sfont_get_data(sfont));
}

const char* SoundBank::GetName(fluid_sfont_t* sfont)
{
    return BankOf(sfont)->path_.c_str();
}

fluid_preset_t* SoundBank::GetPreset(fluid_sfont_t* sfont, int bank, int number)
{
    for (const auto& preset : BankOf(sfont)->presets_)
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
    if (bank->iteration >= bank->presets_.size())
        return nullptr;
    return bank->presets_[bank->iteration++]->preset();
}

int SoundBank::Free(fluid_sfont_t* sfont)
{
    delete BankOf(sfont);
    return 0;
}

} // namespace engine
