#include "engine/SynthHarness.h"

#include <chrono>
#include <thread>

namespace enginetest
{

SynthHarness::SynthHarness()
{
    settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.polyphony", 256);
    handle = new_fluid_synth(settings);
}

SynthHarness::~SynthHarness()
{
    deleteSynth();
    delete_fluid_settings(settings);
}

void SynthHarness::deleteSynth()
{
    if (handle != nullptr)
        delete_fluid_synth(handle);
    handle = nullptr;
}

namespace
{

struct Event
{
    int frame;
    int type; // 0x90 note on, 0x80 note off, 0xB0 controller, 0xE0 pitch bend
    int channel;
    int a;
    int b;
};

void Apply(fluid_synth_t* synth, const Event& e)
{
    if (e.type == 0x90)
        fluid_synth_noteon(synth, e.channel, e.a, e.b);
    else if (e.type == 0x80)
        fluid_synth_noteoff(synth, e.channel, e.a);
    else if (e.type == 0xB0)
        fluid_synth_cc(synth, e.channel, e.a, e.b);
    else
        fluid_synth_pitch_bend(synth, e.channel, e.a);
}

} // namespace

std::vector<float> RenderRichSequence(fluid_synth_t* synth, int soundBankId)
{
    fluid_synth_program_select(synth, 0, soundBankId, 0, 0); // Piano
    fluid_synth_program_select(synth, 1, soundBankId, 0, 1); // Drums
    fluid_synth_program_select(synth, 2, soundBankId, 1, 0); // Second bank
    const Event events[] = {
        {0, 0x90, 0, 48, 90},     {0, 0x90, 0, 64, 70},      {100, 0x90, 0, 75, 115},
        {130, 0x90, 0, 30, 10},   {300, 0xB0, 0, 1, 64},     {300, 0xB0, 0, 74, 100},
        {500, 0xE0, 0, 10000, 0}, {700, 0x90, 1, 38, 100},   {900, 0x90, 1, 43, 100},
        {950, 0x90, 1, 40, 60},   {960, 0x90, 1, 47, 55},    {1000, 0xB0, 0, 64, 127},
        {1000, 0x80, 0, 48, 0},   {1500, 0x90, 2, 60, 127},  {1600, 0x90, 2, 100, 50},
        {2000, 0x80, 0, 64, 0},   {2000, 0x80, 0, 75, 0},    {2100, 0xB0, 2, 1, 127},
        {2500, 0xE0, 0, 4000, 0}, {3000, 0xB0, 0, 64, 0},    {3500, 0x80, 2, 60, 0},
        {3600, 0x80, 1, 43, 0},   {4000, 0x90, 0, 108, 127}, {4400, 0x80, 0, 108, 0},
        {5000, 0x80, 2, 100, 0},
    };
    const int totalFrames = 30000;
    std::vector<float> out(2 * totalFrames);
    const auto write = [&](int from, int frames)
    { fluid_synth_write_float(synth, frames, out.data(), 2 * from, 2, out.data(), 2 * from + 1, 2); };
    int frame = 0;
    for (const Event& e : events)
    {
        if (e.frame > frame)
        {
            write(frame, e.frame - frame);
            frame = e.frame;
        }
        Apply(synth, e);
    }
    // Odd stretches, so that events and internal blocks do not line up.
    for (; frame < totalFrames; frame += 37)
        write(frame, std::min(37, totalFrames - frame));
    return out;
}

bool WaitForLoadDone(const engine::SampleDataCache& cache)
{
    // A minute: generous for a sanitizer build on two busy cores.
    for (int i = 0; i < 6000 && !cache.loadDone(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return cache.loadDone();
}

} // namespace enginetest
