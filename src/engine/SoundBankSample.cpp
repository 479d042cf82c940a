#include "engine/SoundBankSample.h"

#include <algorithm>

#include "engine/FluidSynthLibrary.h"
#include "engine/SampleDataCache.h"

namespace engine
{
namespace
{

constexpr uint16_t kKnownTypes = kSampleMono | kSampleRight | kSampleLeft | kSampleLinked | kSampleRom;
constexpr int kUnpitchedKey = 60;

} // namespace

SoundBankSample::SoundBankSample(const SoundFontSampleHeader& header, const int16_t* block,
                                 uint32_t blockPoints)
{
    const uint32_t start = header.start;
    const uint32_t end = header.end; // first point after the sample
    if (block == nullptr || (header.sampleType & kSampleRom) != 0 ||
        (header.sampleType & ~kKnownTypes) != 0 || end > blockPoints || end < 2 || start >= end - 1)
    {
        return;
    }
    // Loop points are only pulled into the block, never into the sample, like the engine does:
    // a loop may reach into the guard points after the sample.
    uint32_t loopStart = header.loopStart;
    uint32_t loopEnd = header.loopEnd;
    if (loopStart > loopEnd)
        std::swap(loopStart, loopEnd);
    if (loopStart < start || loopStart > blockPoints)
        loopStart = start;
    if (loopEnd < start || loopEnd > blockPoints)
        loopEnd = end;

    fluidSample = FluidSynth().new_fluid_sample();
    if (fluidSample == nullptr)
        return;
    FluidSynth().fluid_sample_set_name(fluidSample, header.name.c_str());
    // The engine only reads the block; the cast is what its interface asks for.
    if (FluidSynth().fluid_sample_set_sound_data(fluidSample, const_cast<int16_t*>(block + start), nullptr,
                                                 end - start, header.sampleRate, 0) != kFluidOk)
    {
        FluidSynth().delete_fluid_sample(fluidSample);
        fluidSample = nullptr;
        return;
    }
    FluidSynth().fluid_sample_set_loop(fluidSample, loopStart - start, loopEnd - start);
    const int root = header.originalPitch <= 127 ? header.originalPitch : kUnpitchedKey;
    FluidSynth().fluid_sample_set_pitch(fluidSample, root, header.pitchCorrection);
    endByte = static_cast<uint64_t>(std::max(end, loopEnd)) * 2;
}

SoundBankSample::~SoundBankSample()
{
    if (fluidSample != nullptr)
        FluidSynth().delete_fluid_sample(fluidSample);
}

void SoundBankSample::prepareForVoice(const SampleDataCache& cache)
{
    if (optimized || fluidSample == nullptr || !cache.isReadUpTo(endByte))
        return;
    FluidSynth().fluid_voice_optimize_sample(fluidSample);
    optimized = true;
}

} // namespace engine
