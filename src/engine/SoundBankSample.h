#pragma once

#include <cstdint>

#include "engine/FluidSynthApi.h"
#include "engine/SoundFontData.h"

namespace engine
{

class SampleDataCache;

// One sample of a loaded sound bank: the engine's sample object pointing into the shared block
// without copying, its loop made usable as the engine's own loader does.
// Threads: built and destroyed on the host's thread; prepareForVoice runs in note-on.
class SoundBankSample
{
public:
    // A sample that is unusable (ROM, unknown type, fewer than two points) stays without data.
    SoundBankSample(const SoundFontSampleHeader& header, const int16_t* block, uint32_t blockPoints);
    ~SoundBankSample();
    SoundBankSample(const SoundBankSample&) = delete;
    SoundBankSample& operator=(const SoundBankSample&) = delete;

    fluid_sample_t* sample() const { return fluidSample; }

    // Estimates the loop's loudest point once its part of the block has been read, so that the
    // engine can end inaudible voices early; before that, the estimate would measure silence.
    void prepareForVoice(const SampleDataCache& cache);

private:
    fluid_sample_t* fluidSample = nullptr;
    uint64_t endByte = 0; // the end of everything a voice may read, in block bytes
    bool optimized = false;
};

} // namespace engine
