#include "engine/KeyStrikes.h"

#include <algorithm>
#include <cmath>

#include "engine/FluidSynthLibrary.h"
#include "engine/SoundFontData.h"

namespace engine
{
namespace
{
// The exclusive class of key k is kClassBase + k: far above the format's 0..127, so that no class of the
// bank's own is ever the same.
constexpr int kClassBase = 1000;
// While an earlier strike fades, its envelope stands all but still (the format's longest release, 100 s
// for the whole range), so that the fade alone shapes it.
constexpr float kHoldRelease = 8000.0f;
// A silenced voice ends with the format's shortest release; the synthesizer lets it go within a block or a
// few.
constexpr float kEndRelease = -12000.0f;
// An attenuation at which the synthesizer's amplitude is 0 (it is from 961 cB on).
constexpr float kSilence = 1440.0f;
// A release velocity of 127 shortens the release by half an octave of time (a factor of 0.71), 1 lengthens
// it as much; 64 and 0 leave it.
constexpr float kReleaseVelocityCents = 600.0f;
constexpr int kNeutralVelocity = 64;
// The release that keeps a voice ringing as long as the format allows: a voice whose envelope does not
// decay to a lower sustain level rings as long as its sample does.
constexpr float kLongestRelease = 8000.0f;
constexpr float kShortestTime = -12000.0f;
constexpr int kDecayOriginKey = 60;
} // namespace

KeyStrikes::KeyStrikes() : keys(new Key[kKeys]) {}

KeyStrikes::~KeyStrikes() = default;

void KeyStrikes::attach(fluid_synth_t* newSynth, double rate)
{
    detach();
    synth = newSynth;
    fadeSteps = std::max(1, static_cast<int>(std::lround(kFadeSeconds * rate / kBlockFrames)));
}

void KeyStrikes::detach()
{
    synth = nullptr;
    for (int key = 0; key < kKeys; ++key)
        keys[key] = Key();
    pending = Strike();
    pendingKey = -1;
    fadingKeys = 0;
    damping = 1.0f;
}

void KeyStrikes::commit() const
{
    if (synth)
        FluidSynth().fluid_synth_get_active_voice_count(synth);
}

bool KeyStrikes::stillPlays(const Voice& voice)
{
    return voice.voice != nullptr && FluidSynth().fluid_voice_is_playing(voice.voice) &&
           FluidSynth().fluid_voice_get_id(voice.voice) == voice.id;
}

bool KeyStrikes::isReleased(const Voice& voice)
{
    return !FluidSynth().fluid_voice_is_on(voice.voice) &&
           !FluidSynth().fluid_voice_is_sustained(voice.voice);
}

void KeyStrikes::setGenerator(const Voice& voice, int generator, float value)
{
    FluidSynth().fluid_voice_gen_set(voice.voice, generator, value);
    FluidSynth().fluid_voice_update_param(voice.voice, generator);
}

void KeyStrikes::beginStrike(int channel, int key)
{
    pendingKey = synth && key >= 0 && key < kKeys ? key : -1;
    pending.channel = channel;
    pending.count = 0;
    pending.fadeStep = 0;
}

void KeyStrikes::prepareVoice(fluid_voice_t* voice) const
{
    // A class the bank gave the voice keeps its own rule.
    if (pendingKey >= 0 && FluidSynth().fluid_voice_gen_get(voice, kGenExclusiveClass) == 0.0f)
        FluidSynth().fluid_voice_gen_set(voice, kGenExclusiveClass,
                                         static_cast<float>(kClassBase + pendingKey));
}

void KeyStrikes::addVoice(fluid_voice_t* voice)
{
    if (pendingKey < 0 || pending.count >= kVoicesPerStrike ||
        FluidSynth().fluid_voice_gen_get(voice, kGenExclusiveClass) !=
            static_cast<float>(kClassBase + pendingKey))
    {
        return;
    }
    const auto generator = [voice](int number) { return FluidSynth().fluid_voice_gen_get(voice, number); };
    Voice& added = pending.voices[pending.count++];
    added.voice = voice;
    added.id = FluidSynth().fluid_voice_get_id(voice);
    added.attenuation = generator(kGenInitialAttenuation);
    added.release = generator(kGenReleaseVolEnv);
    added.modRelease = generator(kGenReleaseModEnv);
    // With the dampers away a voice fades as its envelope decays towards a lower sustain level, with the
    // decay time the engine gives this key; an envelope that holds its level leaves it to the sample.
    const float decay = generator(kGenDecayVolEnv) +
                        generator(kGenKeynumToVolEnvDecay) * static_cast<float>(kDecayOriginKey - pendingKey);
    added.freeDecay = generator(kGenSustainVolEnv) > 0.0f ? std::clamp(decay, kShortestTime, kLongestRelease)
                                                          : kLongestRelease;
    added.releaseShift = 0.0f;
    added.releaseSet = added.release;
}

void KeyStrikes::finishStrike()
{
    const int key = pendingKey;
    pendingKey = -1;
    // A strike that started no voice of its own has put nothing into release.
    if (key < 0 || pending.count == 0)
        return;
    Key& state = keys[key];
    // The silenced strike's last ramp comes with the next block, so it ends at the block after.
    if (state.fading.count > 0)
        silence(state, 2);
    if (state.current.count > 0 && state.current.channel == pending.channel)
    {
        state.fading = state.current;
        startFade(state.fading);
    }
    state.current = pending;
    if (state.fading.count > 0 || state.silenced.count > 0)
        ++fadingKeys;
}

void KeyStrikes::startFade(Strike& strike)
{
    // The synthesizer has put these voices into their release; the release stands still and the modulation
    // envelope keeps its own, so that only the fade changes them.
    strike.fadeStep = 0;
    for (int i = 0; i < strike.count; ++i)
    {
        const Voice& voice = strike.voices[i];
        if (!stillPlays(voice))
            continue;
        setGenerator(voice, kGenReleaseVolEnv, kHoldRelease);
        setGenerator(voice, kGenReleaseModEnv, voice.modRelease);
    }
}

void KeyStrikes::silence(Key& key, int blocksToEnd)
{
    // The synthesizer ramps each voice to nothing over its next block and ends it at a later block. A strike
    // silenced before and not yet ended (struck three times within a block) ends at once.
    end(key.silenced);
    Strike& strike = key.fading;
    for (int i = 0; i < strike.count; ++i)
    {
        const Voice& voice = strike.voices[i];
        if (stillPlays(voice))
            setGenerator(voice, kGenInitialAttenuation, voice.attenuation + kSilence);
    }
    key.silenced = strike;
    key.silenced.fadeStep = blocksToEnd;
    strike.count = 0;
}

void KeyStrikes::end(Strike& strike)
{
    for (int i = 0; i < strike.count; ++i)
    {
        const Voice& voice = strike.voices[i];
        if (stillPlays(voice))
            setGenerator(voice, kGenReleaseVolEnv, kEndRelease);
    }
    strike.count = 0;
}

void KeyStrikes::stepFades()
{
    int busy = 0;
    for (int key = 0; key < kKeys; ++key)
    {
        Key& state = keys[key];
        if (state.silenced.count > 0 && --state.silenced.fadeStep <= 0)
            end(state.silenced);
        Strike& strike = state.fading;
        if (strike.count > 0 && ++strike.fadeStep >= fadeSteps)
        {
            silence(state, 1);
        }
        else if (strike.count > 0)
        {
            // A straight line in amplitude: the synthesizer ramps each block to its target, so every sample
            // steps by about the same small amount.
            const double gain = 1.0 - static_cast<double>(strike.fadeStep) / fadeSteps;
            const auto cut = static_cast<float>(-200.0 * std::log10(gain));
            for (int i = 0; i < strike.count; ++i)
            {
                const Voice& voice = strike.voices[i];
                if (stillPlays(voice))
                    setGenerator(voice, kGenInitialAttenuation, voice.attenuation + cut);
            }
        }
        if (state.fading.count > 0 || state.silenced.count > 0)
            ++busy;
    }
    fadingKeys = busy;
    commit();
}

void KeyStrikes::keyReleased(int channel, int key, int releaseVelocity)
{
    if (key < 0 || key >= kKeys)
        return;
    Strike& strike = keys[key].current;
    if (strike.channel != channel)
        return;
    const float shift = releaseVelocity == 0
                            ? 0.0f
                            : static_cast<float>(kNeutralVelocity - releaseVelocity) * kReleaseVelocityCents /
                                  static_cast<float>(kNeutralVelocity - 1);
    for (int i = 0; i < strike.count; ++i)
    {
        Voice& voice = strike.voices[i];
        if (!stillPlays(voice))
            continue;
        // A voice the sustain pedal holds is let go by the pedal later, not by the key.
        if (FluidSynth().fluid_voice_is_sustained(voice.voice))
        {
            voice.releaseShift = 0.0f;
            continue;
        }
        if (FluidSynth().fluid_voice_is_on(voice.voice))
            continue;
        voice.releaseShift = shift;
        applyRelease(voice);
    }
    commit();
}

void KeyStrikes::setDamping(float newDamping)
{
    const float clamped = std::clamp(newDamping, 0.0f, 1.0f);
    if (clamped == damping)
        return;
    damping = clamped;
    if (damping == 0.0f)
        return;
    for (int key = 0; key < kKeys; ++key)
    {
        Strike& strike = keys[key].current;
        for (int i = 0; i < strike.count; ++i)
        {
            Voice& voice = strike.voices[i];
            if (stillPlays(voice) && isReleased(voice))
                applyRelease(voice);
        }
    }
    commit();
}

void KeyStrikes::applyRelease(Voice& voice) const
{
    // Between the voice's own release (dampers resting) and its undamped decay, in timecents: each step of
    // the pedal multiplies the time by the same factor.
    const float own = voice.release + voice.releaseShift;
    const float undamped = std::max(voice.freeDecay, own);
    const float release = damping * own + (1.0f - damping) * undamped;
    if (release == voice.releaseSet)
        return;
    voice.releaseSet = release;
    setGenerator(voice, kGenReleaseVolEnv, release);
}

} // namespace engine
