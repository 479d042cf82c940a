// The tuning of the synthesizer's channel 0, which every note plays on. The keys' pitches go to the
// library's tuning program 0 of bank 0, which the channel plays from the first change on; before that the
// channel keeps the library's own equal temperament. The master tuning is the channel's fine and coarse
// tuning, which the library adds to the pitch of every voice, sounding ones included. The tuning is kept
// here as well, so that a new synthesizer (after a change of sample rate) plays in the same tuning.
// The library plays a voice's pitch in whole cents and drops the fraction (2.3.1 does), so a key tuned
// 5.87 cents up would sound 0.87 cents flat. Every pitch it is given is therefore a whole number of cents:
// the master fine tuning rounded, and for each key the whole cents nearest its pitch plus the master fine
// tuning, less that. No key sounds more than half a cent from its tuning, with this library or with one
// that keeps the fraction.
// Threads: the changes on the audio thread; restore on the thread that creates the synthesizer, while no
// audio runs. For each change of the keys' pitches the library makes a new tuning program and frees the one
// it replaces, and so for a change of the master fine tuning once keys are tuned; otherwise a change of the
// master tuning allocates nothing.
#pragma once

#include <cstdint>

#include "engine/FluidSynthApi.h"

namespace engine
{

class SynthTuning
{
public:
    static constexpr int kKeys = 128;

    SynthTuning();

    // Sets the pitch of count keys (0..127), in cents above key 0; sounding: notes already sounding follow.
    void tuneKeys(fluid_synth_t* synth, int count, const uint8_t* keys, const double* cents, bool sounding);
    // The master tuning: cents (-100 to +100) and semitones on top of every key's pitch, at once.
    void setMasterFine(fluid_synth_t* synth, double cents);
    void setMasterCoarse(fluid_synth_t* synth, int semitones);
    // Gives a new synthesizer the tuning the last one had.
    void restore(fluid_synth_t* synth);

private:
    void applyKeys(fluid_synth_t* synth, bool sounding);
    double wholeFineCents() const;

    // The pitches asked for, and the whole cents handed to the library.
    double pitches[kKeys];
    double wholePitches[kKeys];
    bool keysTuned = false;
    // Whether the present synthesizer's channel plays the tuning program.
    bool channelTuned = false;
    double fineCents = 0.0;
    int coarseSemitones = 0;
};

} // namespace engine
