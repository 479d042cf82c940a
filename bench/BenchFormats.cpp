// What the LV2 and VST3 adapters cost against the VST 2.4 entry: the demo piece at 44100 Hz in 256-frame
// blocks through the three entry points of one instrument, linked into this program with the bundle's
// sound bank (one instrument's code, one block of sample data): the VST 2.4 entry as a VST 2.4 host plays
// it (the block's events, then processReplacing), the LV2 entry as an LV2 host does (MIDI atoms, run) and
// the VST3 entry as a VST3 host does (note events, controllers as the parameters they are mapped to,
// process). Only the plug-in's calls are timed, on the rendering thread's processor clock. The three take
// turns, two seconds of the piece each in a changing order, so that a busy machine slows them alike; each
// round's times are compared within the round, and the median round counts.
//
//   virellando-bench-formats [--rows] [MIDI file]
//
// Default: the demo piece. With --rows, one "measure|figure|against" line per adapter for scripts/bench.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Lv2PieceRun.h"
#include "NoteSequence.h"
#include "PluginRun.h"
#include "Turns.h"
#include "Vst3PieceRun.h"
#include "engine/SampleDataCache.h"
#include "host/InstrumentEntry.h"
#include "host/UserInterface.h"
#include "host/vst3/Vst3Entry.h"
#include "platform/Platform.h"
#include "support/PluginFolder.h"

namespace
{
constexpr int kSampleRate = 44100;
constexpr int kBlockFrames = 256;
constexpr int kRounds = 9;
constexpr uint64_t kTurnFrames = 2 * kSampleRate;

// The VST 2.4 entry as the module's VSTPluginMain is: the user interface connected, then the instrument.
host::AEffect* VSTCALLBACK Vst24Entry(host::audioMasterCallback audioMaster)
{
    host::ConnectUserInterface();
    return host::ModuleInstrument().create(audioMaster);
}
} // namespace

int main(int argc, char** argv)
{
    const bool rows = argc > 1 && std::strcmp(argv[1], "--rows") == 0;
    const std::string midi = argc > (rows ? 2 : 1) ? argv[rows ? 2 : 1] : VIRELLANDO_BENCH_MIDI;
    NoteSequence notes;
    if (!notes.loadMidiFile(midi, kSampleRate))
    {
        std::fprintf(stderr, "%s\n", notes.origin.c_str());
        return 1;
    }
    // The linked instrument reads the VST 2.4 bundle's bank, strings and programs.
    platform::SetModuleFileName(VIRELLANDO_BENCH_BUNDLE "/Virellando.so");
    plughost::PluginHost vst24;
    vst24.take(&Vst24Entry);
    formathost::Lv2Host lv2;
    lv2.take(lv2_descriptor(0), nullptr);
    formathost::Vst3Host vst3;
    vst3.take(GetPluginFactory());

    Figures figures[] = {{"VST 2.4 entry", {}}, {"LV2 adapter", {}}, {"VST3 adapter", {}}};
    std::string error;
    for (int round = 0; round < kRounds; ++round)
    {
        PluginRun vst24Run;
        Lv2PieceRun lv2Run;
        Vst3PieceRun vst3Run;
        if (!vst24Run.open(vst24, notes, kSampleRate, kBlockFrames, error) ||
            !lv2Run.open(lv2, notes, kSampleRate, kBlockFrames, error) ||
            !vst3Run.open(vst3, notes, kSampleRate, kBlockFrames, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (!WaitUntil([] { return engine::SampleDataCache::shared().loadDone(); }))
        {
            std::fprintf(stderr, "The sample data did not arrive.\n");
            return 1;
        }
        PieceRun* runs[] = {&vst24Run, &lv2Run, &vst3Run};
        std::vector<std::function<void(uint64_t)>> players;
        for (PieceRun* run : runs)
            players.push_back([run](uint64_t end) { run->playUntil(end); });
        TakeTurns(players, notes.frames, kTurnFrames);
        for (size_t i = 0; i < std::size(runs); ++i)
            figures[i].take(runs[i]->threadTimes.total(), runs[i]->threadTimes);
        if (!rows)
            std::printf("round %d of %d done\n", round + 1, kRounds);
    }

    const double seconds = static_cast<double>(notes.frames) / kSampleRate;
    if (rows)
    {
        for (const Figures& format : figures)
            if (&format != &figures[0])
                std::printf(
                    "Playing through the %s|%+.2f %%|the VST 2.4 entry's processor time in the plug-in's "
                    "calls, median of %d alternating rounds of the demo piece (goal: within 1 %%)\n",
                    format.name, (format.against(figures[0]) - 1.0) * 100.0, kRounds);
        return 0;
    }
    std::printf("\nNotes: %s, %zu events, %.1f s, %d-frame blocks at %d Hz. Processor time in the plug-in's "
                "calls: the median of %d rounds, and the median of the rounds' ratios to the VST 2.4 entry\n",
                notes.origin.c_str(), notes.events.size(), seconds, kBlockFrames, kSampleRate, kRounds);
    std::printf("%-16s %9s %9s %12s %12s\n", "", "cpu s", "RT factor", "vs VST 2.4", "worst ms");
    for (const Figures& format : figures)
    {
        const double median = Median(format.seconds);
        std::printf("%-16s %9.3f %9.1f %+11.2f%% %12.3f\n", format.name, median, seconds / median,
                    (format.against(figures[0]) - 1.0) * 100.0, format.worst * 1000.0);
    }
    std::printf("Goal: each adapter within 1 %% of the VST 2.4 entry.\n");
    return 0;
}
