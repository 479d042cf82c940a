#include "BareSynthRun.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <fluidsynth.h>

namespace
{
struct SettingsDeleter
{
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
};
struct SynthDeleter
{
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};

void Apply(fluid_synth_t* synth, const TimedEvent& event)
{
    switch (event.status & 0xF0)
    {
    case 0x90:
        fluid_synth_noteon(synth, 0, event.data1, event.data2);
        break;
    case 0x80:
        fluid_synth_noteoff(synth, 0, event.data1);
        break;
    case 0xB0:
        fluid_synth_cc(synth, 0, event.data1, event.data2);
        break;
    default:
        break;
    }
}
} // namespace

bool RunBareSynth(const std::string& riffBank, const NoteSequence& notes, int sampleRate, int blockFrames,
                  BareSynthRun& run, std::string& error)
{
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    if (!settings)
    {
        error = "no synthesizer settings";
        return false;
    }
    fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings.get(), "synth.polyphony", 256);
    fluid_settings_setint(settings.get(), "synth.reverb.active", run.ownEffects ? 1 : 0);
    fluid_settings_setint(settings.get(), "synth.chorus.active", run.ownEffects ? 1 : 0);
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
    if (!synth)
    {
        error = "no synthesizer";
        return false;
    }
    const int id = fluid_synth_sfload(synth.get(), riffBank.c_str(), 1);
    if (id == FLUID_FAILED)
    {
        error = "the synthesizer cannot load " + riffBank;
        return false;
    }
    fluid_synth_set_gain(synth.get(), 0.4f);
    fluid_synth_set_interp_method(synth.get(), -1, FLUID_INTERP_LINEAR);

    std::vector<float> left(static_cast<size_t>(blockFrames)), right(static_cast<size_t>(blockFrames));
    double voiceSum = 0.0;
    uint64_t blocks = 0;
    run.times.measure(
        [&]
        {
            size_t next = 0;
            for (uint64_t start = 0; start < notes.frames; start += static_cast<uint64_t>(blockFrames))
            {
                const auto begin = BlockTimes::Clock::now();
                const double threadBegin = BlockTimes::ThreadSeconds();
                int position = 0;
                while (next < notes.events.size() &&
                       notes.events[next].frame < start + static_cast<uint64_t>(blockFrames))
                {
                    const int offset = static_cast<int>(notes.events[next].frame - start);
                    if (offset > position)
                    {
                        fluid_synth_write_float(synth.get(), offset - position, left.data(), position, 1,
                                                right.data(), position, 1);
                        position = offset;
                    }
                    Apply(synth.get(), notes.events[next++]);
                }
                if (position < blockFrames)
                    fluid_synth_write_float(synth.get(), blockFrames - position, left.data(), position, 1,
                                            right.data(), position, 1);
                run.threadTimes.add(BlockTimes::ThreadSeconds() - threadBegin);
                run.times.add(BlockTimes::Clock::now() - begin);
                const int voices = fluid_synth_get_active_voice_count(synth.get());
                voiceSum += voices;
                run.mostVoices = std::max(run.mostVoices, voices);
                ++blocks;
            }
        });
    run.meanVoices = blocks > 0 ? voiceSum / static_cast<double>(blocks) : 0.0;
    return true;
}
