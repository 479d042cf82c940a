#include "engine/SoundBankPreset.h"

#include "engine/FluidSynthLibrary.h"
#include "engine/KeyStrikes.h"
#include "engine/SampleDataCache.h"

namespace engine
{
namespace
{

SoundBankPreset* PresetOf(fluid_preset_t* preset)
{
    return static_cast<SoundBankPreset*>(FluidSynth().fluid_preset_get_data(preset));
}

const char* GetName(fluid_preset_t* preset)
{
    return PresetOf(preset)->name().c_str();
}
int GetBank(fluid_preset_t* preset)
{
    return PresetOf(preset)->bank();
}
int GetNumber(fluid_preset_t* preset)
{
    return PresetOf(preset)->number();
}
int NoteOn(fluid_preset_t* preset, fluid_synth_t* synth, int channel, int key, int velocity)
{
    return PresetOf(preset)->noteOn(synth, channel, key, velocity);
}
// The sound bank owns its presets and deletes them with itself.
void KeepPreset(fluid_preset_t*) {}

} // namespace

SoundBankPreset::SoundBankPreset(const SoundFontPreset& record,
                                 const std::vector<std::unique_ptr<SoundBankInstrument>>& instruments,
                                 const SampleDataCache& sampleCache, KeyStrikes* keyStrikes)
    : presetName(record.name), bankNumber(record.bank), presetNumber(record.preset), cache(sampleCache),
      strikes(keyStrikes)
{
    if (presetName.empty())
        presetName = "Bank" + std::to_string(bankNumber) + ",Pre" + std::to_string(presetNumber);
    for (size_t i = 0; i < record.zones.size(); ++i)
    {
        SoundBankZone zone(record.zones[i], SoundBankZone::Level::Preset);
        if (zone.link() == SoundBankZone::kNoLink)
        {
            if (i == 0)
                global = std::make_unique<SoundBankZone>(std::move(zone));
            continue;
        }
        // The reader has checked that every instrument reference exists.
        const SoundBankInstrument* instrument = instruments[static_cast<size_t>(zone.link())].get();
        zones.insert(zones.begin(), Zone{std::move(zone), instrument});
    }
}

SoundBankPreset::~SoundBankPreset()
{
    if (fluidPreset != nullptr)
        FluidSynth().delete_fluid_preset(fluidPreset);
}

bool SoundBankPreset::attach(fluid_sfont_t* sfont)
{
    fluidPreset = FluidSynth().new_fluid_preset(sfont, GetName, GetBank, GetNumber, NoteOn, KeepPreset);
    if (fluidPreset == nullptr)
        return false;
    FluidSynth().fluid_preset_set_data(fluidPreset, this);
    return true;
}

int SoundBankPreset::noteOn(fluid_synth_t* synth, int channel, int key, int velocity) const
{
    if (!strikes)
        return startVoices(synth, channel, key, velocity);
    strikes->beginStrike(channel, key);
    const int result = startVoices(synth, channel, key, velocity);
    strikes->finishStrike();
    return result;
}

int SoundBankPreset::startVoices(fluid_synth_t* synth, int channel, int key, int velocity) const
{
    for (const Zone& presetZone : zones)
    {
        if (!presetZone.zone.contains(key, velocity))
            continue;
        for (const SoundBankInstrument::Zone& instrumentZone : presetZone.instrument->zones())
        {
            if (instrumentZone.sample == nullptr || !instrumentZone.zone.contains(key, velocity))
            {
                continue;
            }
            instrumentZone.sample->prepareForVoice(cache);
            fluid_voice_t* voice = FluidSynth().fluid_synth_alloc_voice(
                synth, instrumentZone.sample->sample(), channel, key, velocity);
            if (voice == nullptr)
                return kFluidFailed;
            startVoice(synth, voice, presetZone, instrumentZone);
        }
    }
    return kFluidOk;
}

void SoundBankPreset::startVoice(fluid_synth_t* synth, fluid_voice_t* voice, const Zone& presetZone,
                                 const SoundBankInstrument::Zone& instrumentZone) const
{
    const SoundBankZone* instrumentGlobal = presetZone.instrument->globalZone();
    const SoundBankZone& local = instrumentZone.zone;
    for (int gen = 0; gen < kFluidGeneratorCount; ++gen)
    {
        if (local.isSet(gen))
        {
            FluidSynth().fluid_voice_gen_set(voice, gen, local.value(gen));
        }
        else if (instrumentGlobal != nullptr && instrumentGlobal->isSet(gen))
        {
            FluidSynth().fluid_voice_gen_set(voice, gen, instrumentGlobal->value(gen));
        }
    }
    SoundBankModulatorList::addToVoice(
        voice, instrumentGlobal != nullptr ? &instrumentGlobal->modulators() : nullptr, local.modulators(),
        kVoiceOverwrite);

    const SoundBankZone& presetLocal = presetZone.zone;
    for (int gen = 0; gen < kFluidGeneratorCount; ++gen)
    {
        if (presetLocal.isSet(gen))
        {
            FluidSynth().fluid_voice_gen_incr(voice, gen, presetLocal.value(gen));
        }
        else if (global != nullptr && global->isSet(gen))
        {
            FluidSynth().fluid_voice_gen_incr(voice, gen, global->value(gen));
        }
    }
    SoundBankModulatorList::addToVoice(voice, global ? &global->modulators() : nullptr,
                                       presetLocal.modulators(), kVoiceAdd);
    if (strikes)
        strikes->prepareVoice(voice);
    FluidSynth().fluid_synth_start_voice(synth, voice);
    if (strikes)
        strikes->addVoice(voice);
}

} // namespace engine
