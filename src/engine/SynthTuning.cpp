#include "engine/SynthTuning.h"

#include <cmath>

#include "engine/FluidSynthLibrary.h"
#include "engine/SoundFontData.h"

namespace engine
{

namespace
{
constexpr int kChannel = 0;
constexpr int kTuningBank = 0;
constexpr int kTuningProgram = 0;
constexpr const char* kTuningName = "Sequencer";
} // namespace

SynthTuning::SynthTuning()
{
    for (int key = 0; key < kKeys; ++key)
        pitches[key] = 100.0 * key;
}

void SynthTuning::tuneKeys(fluid_synth_t* synth, int count, const uint8_t* keys, const double* cents,
                           bool sounding)
{
    for (int i = 0; i < count; ++i)
        if (keys[i] < kKeys)
            pitches[keys[i]] = cents[i];
    keysTuned = true;
    applyKeys(synth, sounding);
}

void SynthTuning::applyKeys(fluid_synth_t* synth, bool sounding)
{
    if (!synth)
        return;
    const double fine = wholeFineCents();
    for (int key = 0; key < kKeys; ++key)
        wholePitches[key] = std::round(pitches[key] + fineCents) - fine;
    // The channel follows every later replacement of the program it plays.
    FluidSynth().fluid_synth_activate_key_tuning(synth, kTuningBank, kTuningProgram, kTuningName,
                                                 wholePitches, sounding ? 1 : 0);
    if (!channelTuned)
        channelTuned = FluidSynth().fluid_synth_activate_tuning(synth, kChannel, kTuningBank, kTuningProgram,
                                                                sounding ? 1 : 0) == kFluidOk;
}

double SynthTuning::wholeFineCents() const
{
    return std::round(fineCents);
}

void SynthTuning::setMasterFine(fluid_synth_t* synth, double cents)
{
    fineCents = cents;
    if (!synth)
        return;
    FluidSynth().fluid_synth_set_gen(synth, kChannel, kGenFineTune, static_cast<float>(wholeFineCents()));
    // The keys' whole cents depend on the fine tuning's fraction. Sounding notes keep theirs: a key change in
    // the non-real-time form must not reach them now.
    if (keysTuned)
        applyKeys(synth, false);
}

void SynthTuning::setMasterCoarse(fluid_synth_t* synth, int semitones)
{
    coarseSemitones = semitones;
    if (synth)
        FluidSynth().fluid_synth_set_gen(synth, kChannel, kGenCoarseTune,
                                         static_cast<float>(coarseSemitones));
}

void SynthTuning::restore(fluid_synth_t* synth)
{
    channelTuned = false;
    if (!synth)
        return;
    if (fineCents != 0.0)
        setMasterFine(synth, fineCents);
    else if (keysTuned)
        applyKeys(synth, false);
    if (coarseSemitones != 0)
        setMasterCoarse(synth, coarseSemitones);
}

} // namespace engine
