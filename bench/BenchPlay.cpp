// How fast the plug-in plays against the bare synthesizer: one piece at 44100 Hz in 256-frame blocks,
// played in turn through the bare synthesizer and the plug-in (as it starts, then without its reverb, then
// also without the sympathetic resonance) a few times; the best run of each counts.
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
constexpr int kReverbAmount = 2;
constexpr int kResonance = 6;

struct Figures
{
    const char* name;
    ParameterValues parameters;
    double best = 0.0;
    double worst = 0.0;
    double percentile999 = 0.0;

    void take(const BlockTimes& whole, const BlockTimes& render, bool first)
    {
        best = first ? whole.processorSeconds() : std::min(best, whole.processorSeconds());
        worst = std::max(worst, render.worst());
        percentile999 = std::max(percentile999, render.percentile(0.999));
    }
};
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
    const double blockMs = 1000.0 * kBlockFrames / kSampleRate;
    std::printf("Bank: %s\nNotes: %s, %zu events, %.1f s of audio, %d-frame blocks at %d Hz\n", bank.c_str(),
                notes.origin.c_str(), notes.events.size(), seconds, kBlockFrames, kSampleRate);

    Figures bare{"bare synthesizer", {}};
    Figures plugins[] = {{"plug-in", {}},
                         {"plug-in, no reverb", {{kReverbAmount, 0.0f}}},
                         {"plug-in, no reverb or resonance", {{kReverbAmount, 0.0f}, {kResonance, 0.0f}}}};
    for (int run = 0; run < kRuns; ++run)
    {
        std::string error;
        BlockTimes bareTimes;
        if (!RunBareSynth(riff.path(), notes, kSampleRate, kBlockFrames, bareTimes, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        bare.take(bareTimes, bareTimes, run == 0);
        for (Figures& plugin : plugins)
        {
            BlockTimes whole, render;
            if (!RunPlugin(bank, notes, plugin.parameters, kSampleRate, kBlockFrames, whole, render, error))
            {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
            plugin.take(whole, render, run == 0);
        }
        std::printf("run %d of %d done\n", run + 1, kRuns);
    }

    std::printf(
        "\nProcessor time: best of %d runs. Wall-clock time of processReplacing: worst block and 99.9th "
        "percentile over all runs (block: %.3f ms)\n",
        kRuns, blockMs);
    std::printf("%-34s %9s %9s %10s %11s %10s\n", "", "cpu s", "RT factor", "vs bare", "worst ms",
                "99.9% ms");
    const auto row = [&](const Figures& f)
    {
        std::printf("%-34s %9.3f %9.1f %+9.1f%% %11.3f %10.3f\n", f.name, f.best, seconds / f.best,
                    (f.best / bare.best - 1.0) * 100.0, f.worst * 1000.0, f.percentile999 * 1000.0);
    };
    row(bare);
    for (const Figures& plugin : plugins)
        row(plugin);
    std::printf(
        "Goal: the plug-in at most +15 %% against the bare synthesizer; every block well inside %.3f ms.\n",
        blockMs);
    return 0;
}
