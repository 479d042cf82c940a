#include "engine/SynthEngine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/FluidSynthLibrary.h"
#include "engine/SampleDataCache.h"
#include "engine/SoundBankLoader.h"

namespace engine
{

SynthEngine::SynthEngine(double sampleRate)
{
    // Without the library the engine has no settings: it stays silent and every call is skipped.
    if (!FluidSynthLibrary::ready())
        return;
    settings = FluidSynth().new_fluid_settings();
    event = FluidSynth().new_fluid_midi_event();
    if (!settings)
        return;
    FluidSynth().fluid_settings_setint(settings, "synth.audio-groups", 2);
    if (sampleRate != 0.0)
        setSampleRate(sampleRate);
    FluidSynth().fluid_settings_setint(settings, "synth.polyphony", 256);
    // The instrument's own reverb follows the engine; the engine's would only add a second one.
    FluidSynth().fluid_settings_setint(settings, "synth.reverb.active", 0);
}

SynthEngine::~SynthEngine()
{
    presetList.clear();
    if (synth)
        FluidSynth().delete_fluid_synth(synth);
    if (settings)
        FluidSynth().delete_fluid_settings(settings);
    if (router)
        FluidSynth().delete_fluid_midi_router(router);
    if (event)
        FluidSynth().delete_fluid_midi_event(event);
}

bool SynthEngine::createSynth()
{
    if (!settings || synth || !rateAccepted)
        return synth != nullptr;
    synth = FluidSynth().new_fluid_synth(settings);
    if (!synth)
        return false;
    // Every note plays on channel 0. A drum channel would only look for a drum kit the bank does not have,
    // and warn on the host's console at every load; this library has no setting that turns it off.
    FluidSynth().fluid_synth_set_channel_type(synth, 9, kChannelTypeMelodic);
    FluidSynth().fluid_synth_bank_select(synth, 9, 0);
    strikes.attach(synth, rate);
    blockPosition = 0;
    engine::RegisterSoundBankLoader(synth, SampleDataCache::shared(), &strikes);
    tuning.restore(synth);
    return true;
}

int SynthEngine::load(const std::string& dataFile)
{
    soundBankId = -1;
    if (synth && !dataFile.empty())
        soundBankId = engine::LoadSoundBank(synth, dataFile.c_str(), 1);
    if (soundBankId != -1)
    {
        fillPresetList();
        FluidSynth().fluid_synth_set_gain(synth, 0.4f);
        FluidSynth().fluid_synth_set_interp_method(synth, -1, kInterpolationLinear);
        if (!presetList.empty())
            programSelect(presetList[0].bank, presetList[0].program);
    }
    if (settings && !router)
        router = FluidSynth().new_fluid_midi_router(settings, routerOutput, this);
    return soundBankId;
}

void SynthEngine::fillPresetList()
{
    presetList.clear();
    fluid_sfont_t* sfont = FluidSynth().fluid_synth_get_sfont(synth, 0);
    if (!sfont)
        return;
    const int offset = FluidSynth().fluid_synth_get_bank_offset(synth, soundBankId);
    size_t count = 0;
    FluidSynth().fluid_sfont_iteration_start(sfont);
    while (FluidSynth().fluid_sfont_iteration_next(sfont))
        ++count;
    presetList.assign(count, PresetRecord{0, 0, {}});
    FluidSynth().fluid_sfont_iteration_start(sfont);
    for (PresetRecord& record : presetList)
    {
        fluid_preset_t* preset = FluidSynth().fluid_sfont_iteration_next(sfont);
        if (!preset)
            break;
        record.bank = FluidSynth().fluid_preset_get_banknum(preset) + offset;
        record.program = FluidSynth().fluid_preset_get_num(preset);
        const char* name = FluidSynth().fluid_preset_get_name(preset);
        std::snprintf(record.name, sizeof record.name, "%s", name ? name : "");
    }
}

void SynthEngine::destroySynth()
{
    if (synth)
        FluidSynth().delete_fluid_synth(synth);
    synth = nullptr;
    if (router)
        FluidSynth().delete_fluid_midi_router(router);
    router = nullptr;
    presetList.clear();
    soundBankId = -1;
    strikes.detach();
    blockPosition = 0;
}

bool SynthEngine::setSampleRate(double sampleRate)
{
    // The engine refuses a rate outside its range and keeps the one it had.
    rateAccepted =
        settings && FluidSynth().fluid_settings_setnum(settings, "synth.sample-rate", sampleRate) == kFluidOk;
    if (rateAccepted)
        rate = sampleRate;
    return rateAccepted;
}

bool SynthEngine::programSelect(int bank, int program)
{
    if (!synth || soundBankId == -1)
        return false;
    return FluidSynth().fluid_synth_program_select(synth, 0, static_cast<unsigned int>(soundBankId), bank,
                                                   program) == kFluidOk;
}

bool SynthEngine::channelProgram(int& bank, int& program) const
{
    int soundFont = 0;
    return synth && FluidSynth().fluid_synth_get_program(synth, 0, &soundFont, &bank, &program) == kFluidOk;
}

void SynthEngine::send(int type, int data1, int data2)
{
    if (!router || !event)
        return;
    FluidSynth().fluid_midi_event_set_type(event, type);
    FluidSynth().fluid_midi_event_set_channel(event, 0);
    // Notes and controllers keep their two data bytes in the same two fields.
    FluidSynth().fluid_midi_event_set_key(event, data1);
    FluidSynth().fluid_midi_event_set_velocity(event, data2);
    FluidSynth().fluid_midi_router_handle_midi_event(router, event);
}

void SynthEngine::tuneKeys(int count, const uint8_t* keys, const double* cents, bool sounding)
{
    tuning.tuneKeys(synth, count, keys, cents, sounding);
}

void SynthEngine::setMasterFine(double cents)
{
    tuning.setMasterFine(synth, cents);
}

void SynthEngine::setMasterCoarse(int semitones)
{
    tuning.setMasterCoarse(synth, semitones);
}

void SynthEngine::setDamping(float damping)
{
    if (synth)
        strikes.setDamping(damping);
}

int SynthEngine::activeVoices() const
{
    return synth ? FluidSynth().fluid_synth_get_active_voice_count(synth) : 0;
}

void SynthEngine::setChorusActive(bool on)
{
    if (synth)
        FluidSynth().fluid_synth_chorus_on(synth, -1, on ? 1 : 0);
}

void SynthEngine::render(int frames, float* left, float* right)
{
    if (frames <= 0)
        return;
    renderedFrames += static_cast<uint64_t>(frames);
    if (synth)
    {
        // While a fade runs, each of the synthesizer's blocks gets its step first: the synthesizer takes
        // changes only as it starts a block, and ramps each voice's level across the block.
        for (int done = 0; done < frames;)
        {
            if (blockPosition == 0 && strikes.fading())
                strikes.stepFades();
            int length = frames - done;
            if (strikes.fading())
                length = std::min(length, KeyStrikes::kBlockFrames - blockPosition);
            FluidSynth().fluid_synth_write_float(synth, length, left, done, 1, right, done, 1);
            blockPosition = (blockPosition + length) % KeyStrikes::kBlockFrames;
            done += length;
        }
        return;
    }
    std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
    std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
}

void SynthEngine::setEventObserver(EventObserver newObserver, void* context)
{
    observer = newObserver;
    observerContext = context;
}

int SynthEngine::routerOutput(void* data, fluid_midi_event_t* routed)
{
    auto* self = static_cast<SynthEngine*>(data);
    if (self->observer)
        self->observer(self->observerContext, FluidSynth().fluid_midi_event_get_type(routed),
                       FluidSynth().fluid_midi_event_get_key(routed),
                       FluidSynth().fluid_midi_event_get_velocity(routed));
    if (!self->synth)
        return kFluidFailed;
    const int result = FluidSynth().fluid_synth_handle_midi_event(self->synth, routed);
    const int type = FluidSynth().fluid_midi_event_get_type(routed);
    const int velocity = FluidSynth().fluid_midi_event_get_velocity(routed);
    if (type == 0x80 || (type == 0x90 && velocity == 0))
        self->strikes.keyReleased(FluidSynth().fluid_midi_event_get_channel(routed),
                                  FluidSynth().fluid_midi_event_get_key(routed), type == 0x80 ? velocity : 0);
    return result;
}

} // namespace engine
