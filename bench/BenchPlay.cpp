// How fast the plug-in plays against the bare synthesizer: one piece at 44100 Hz in 256-frame blocks,
// played alternately through both a few times; the best run of each counts.
//
//   virellando-bench-play [sound bank] [MIDI file]
//
// Defaults: the bundle's Virellando.DAT and the demo piece; without the MIDI file a made-up piece is played.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BareSynthRun.h"
#include "NoteSequence.h"
#include "PluginRun.h"
#include "RiffBank.h"

namespace
{
constexpr int kSampleRate = 44100;
constexpr int kBlockFrames = 256;
constexpr int kRuns = 3;
constexpr double kMadeUpSeconds = 90.0;
} // namespace

int main(int argc, char** argv)
{
    const std::string bank = argc > 1 ? argv[1] : VIRELLANDO_BENCH_BANK;
    const std::string midi = argc > 2 ? argv[2] : VIRELLANDO_BENCH_MIDI;
    if (!std::filesystem::is_regular_file(bank))
    {
        std::fprintf(stderr, "No sound bank at %s; give one as the first argument.\n", bank.c_str());
        return 1;
    }
    NoteSequence notes;
    if (!notes.loadMidiFile(midi, kSampleRate))
    {
        std::fprintf(stderr, "%s; playing a made-up piece instead.\n", notes.origin.c_str());
        notes.makePiece(kMadeUpSeconds, kSampleRate);
    }
    const RiffBank riff(bank);
    if (riff.path().empty())
    {
        std::fprintf(stderr, "Cannot read %s.\n", bank.c_str());
        return 1;
    }

    const double seconds = static_cast<double>(notes.frames) / kSampleRate;
    const double blockSeconds = static_cast<double>(kBlockFrames) / kSampleRate;
    std::printf("Bank: %s\nNotes: %s, %zu events, %.1f s of audio, %d-frame blocks at %d Hz\n", bank.c_str(),
                notes.origin.c_str(), notes.events.size(), seconds, kBlockFrames, kSampleRate);

    double bestBare = 0.0, bestPlugin = 0.0, worstRender = 0.0, render999 = 0.0;
    for (int run = 0; run < kRuns; ++run)
    {
        BlockTimes bare, plugin, render;
        std::string error;
        if (!RunBareSynth(riff.path(), notes, kSampleRate, kBlockFrames, bare, error) ||
            !RunPlugin(bank, notes, kSampleRate, kBlockFrames, plugin, render, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        std::printf("run %d: bare %.3f s, plug-in %.3f s, worst processReplacing %.3f ms\n", run + 1, bare.total(),
                    plugin.total(), render.worst() * 1000.0);
        bestBare = run == 0 ? bare.total() : std::min(bestBare, bare.total());
        bestPlugin = run == 0 ? plugin.total() : std::min(bestPlugin, plugin.total());
        worstRender = std::max(worstRender, render.worst());
        render999 = std::max(render999, render.percentile(0.999));
    }

    std::printf("\nReal-time factor (audio time / processing time), best of %d:\n", kRuns);
    std::printf("  bare synthesizer  %8.1f\n  plug-in           %8.1f\n", seconds / bestBare, seconds / bestPlugin);
    std::printf("Plug-in time against the bare synthesizer: %+.1f %% (goal: at most +15 %%)\n",
                (bestPlugin / bestBare - 1.0) * 100.0);
    std::printf("Block of %.3f ms: worst processReplacing %.3f ms (%.1f %% of the block), 99.9th percentile "
                "%.3f ms\n",
                blockSeconds * 1000.0, worstRender * 1000.0, worstRender / blockSeconds * 100.0,
                render999 * 1000.0);
    return 0;
}
