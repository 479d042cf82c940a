#include "BareSynthRun.h"

#include "engine/FluidSynthLibrary.h"
#include "platform/Platform.h"

using namespace engine;

namespace
{
void Apply(fluid_synth_t* synth, const TimedEvent& event)
{
    switch (event.status & 0xF0)
    {
    case 0x90:
        FluidSynth().fluid_synth_noteon(synth, 0, event.data1, event.data2);
        break;
    case 0x80:
        FluidSynth().fluid_synth_noteoff(synth, 0, event.data1);
        break;
    case 0xB0:
        FluidSynth().fluid_synth_cc(synth, 0, event.data1, event.data2);
        break;
    default:
        break;
    }
}
} // namespace

BareSynthRun::~BareSynthRun()
{
    if (synth)
        FluidSynth().delete_fluid_synth(synth);
    if (settings)
        FluidSynth().delete_fluid_settings(settings);
}

bool BareSynthRun::open(const std::string& riffBank, const NoteSequence& piece, int sampleRate, int frames,
                        std::string& error)
{
    if (!FluidSynthLibrary::load("", error))
        return false;
    settings = FluidSynth().new_fluid_settings();
    if (!settings)
    {
        error = "no synthesizer settings";
        return false;
    }
    FluidSynth().fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    FluidSynth().fluid_settings_setint(settings, "synth.polyphony", 256);
    FluidSynth().fluid_settings_setint(settings, "synth.reverb.active", ownEffects ? 1 : 0);
    FluidSynth().fluid_settings_setint(settings, "synth.chorus.active", ownEffects ? 1 : 0);
    synth = FluidSynth().new_fluid_synth(settings);
    if (!synth)
    {
        error = "no synthesizer";
        return false;
    }
    if (FluidSynth().fluid_synth_sfload(synth, riffBank.c_str(), 1) == kFluidFailed)
    {
        error = "the synthesizer cannot load " + riffBank;
        return false;
    }
    FluidSynth().fluid_synth_set_gain(synth, 0.4f);
    FluidSynth().fluid_synth_set_interp_method(synth, -1, kInterpolationLinear);
    left = std::make_unique<float[]>(static_cast<size_t>(frames));
    right = std::make_unique<float[]>(static_cast<size_t>(frames));
    startPiece(piece, frames);
    return true;
}

void BareSynthRun::playBlock()
{
    const auto begin = BlockTimes::Clock::now();
    const double threadBegin = platform::ThreadProcessorSeconds();
    const uint64_t end = start + static_cast<uint64_t>(blockFrames);
    int position = 0;
    while (next < notes->events.size() && notes->events[next].frame < end)
    {
        const int offset = static_cast<int>(notes->events[next].frame - start);
        if (offset > position)
        {
            FluidSynth().fluid_synth_write_float(synth, offset - position, left.get(), position, 1,
                                                 right.get(), position, 1);
            position = offset;
        }
        Apply(synth, notes->events[next++]);
    }
    if (position < blockFrames)
        FluidSynth().fluid_synth_write_float(synth, blockFrames - position, left.get(), position, 1,
                                             right.get(), position, 1);
    threadTimes.add(platform::ThreadProcessorSeconds() - threadBegin);
    times.add(BlockTimes::Clock::now() - begin);
    voices.add(FluidSynth().fluid_synth_get_active_voice_count(synth));
}
