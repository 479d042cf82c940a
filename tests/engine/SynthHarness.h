#pragma once

#include <fluidsynth.h>

#include <string>
#include <vector>

#include "engine/SampleDataCache.h"

namespace enginetest
{

// A synthesizer at 44100 Hz without the engine's reverb, as the instrument sets it up.
class SynthHarness
{
public:
    SynthHarness();
    ~SynthHarness();
    SynthHarness(const SynthHarness&) = delete;
    SynthHarness& operator=(const SynthHarness&) = delete;

    fluid_synth_t* synth() const { return handle; }
    // Deletes the synthesizer (and with it its sound banks) before the harness goes.
    void deleteSynth();

private:
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* handle = nullptr;
};

// Plays a fixed sequence of notes, controllers, pitch bends, pedals and program changes over all
// three presets of the rich test bank and returns the left and right output interleaved.
std::vector<float> RenderRichSequence(fluid_synth_t* synth, int soundBankId);

// Waits (at most a minute) until the cache's background read has ended.
bool WaitForLoadDone(const engine::SampleDataCache& cache);

} // namespace enginetest
