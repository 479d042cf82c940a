// How fast the plug-in plays against the synthesizer library alone: one piece at 44100 Hz in 256-frame
// blocks, played in turn through the bare library, the library with its own reverb and chorus (what a
// musician compares a piano with), and the plug-in (as it starts, then without its reverb, then also
// without the sympathetic resonance) a few times; the best run of each counts. Then two dense textures
// that keep about 128 and 256 voices sounding: each block's processor time on the rendering thread, worst
// and 99.9th percentile, against the block's duration, and the plug-in's heap operations after warm-up.
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
constexpr int kRuns = 7;
constexpr double kMadeUpSeconds = 90.0;
constexpr double kDenseSeconds = 20.0;
constexpr int kDenseHeldKeys = 10;
constexpr int kReverbAmount = 2;
constexpr int kResonance = 6;

struct Figures
{
    const char* name;
    double best = 0.0;
    double worst = 0.0;
    double percentile999 = 0.0;

    void take(const BlockTimes& whole, const BlockTimes& blocks, bool first)
    {
        best = first ? whole.processorSeconds() : std::min(best, whole.processorSeconds());
        worst = std::max(worst, blocks.worst());
        percentile999 = std::max(percentile999, blocks.percentile(0.999));
    }
};

// A dense texture's figures: the rendering thread's processor time per block against the block.
struct DenseFigures
{
    int strikesPerSecond;
    double meanVoices = 0.0;
    int mostVoices = 0;
    double bareWorst = 0.0;
    double bare999 = 0.0;
    double pluginWorst = 0.0;
    double plugin999 = 0.0;
    long allocations = 0;
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
    const double blockSeconds = static_cast<double>(kBlockFrames) / kSampleRate;
    std::printf("Bank: %s\nNotes: %s, %zu events, %.1f s of audio, %d-frame blocks at %d Hz\n", bank.c_str(),
                notes.origin.c_str(), notes.events.size(), seconds, kBlockFrames, kSampleRate);

    std::string error;
    Figures bare{"bare synthesizer"};
    Figures anchor{"synthesizer with its reverb+chorus"};
    Figures plugins[] = {{"plug-in"}, {"plug-in, no reverb"}, {"plug-in, no reverb or resonance"}};
    const ParameterValues pluginParameters[] = {
        {}, {{kReverbAmount, 0.0f}}, {{kReverbAmount, 0.0f}, {kResonance, 0.0f}}};
    for (int run = 0; run < kRuns; ++run)
    {
        for (Figures* library : {&bare, &anchor})
        {
            BareSynthRun synth;
            synth.ownEffects = library == &anchor;
            if (!RunBareSynth(riff.path(), notes, kSampleRate, kBlockFrames, synth, error))
            {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
            library->take(synth.times, synth.times, run == 0);
        }
        for (size_t p = 0; p < std::size(plugins); ++p)
        {
            PluginRun plugin;
            plugin.parameters = pluginParameters[p];
            if (!RunPlugin(bank, notes, kSampleRate, kBlockFrames, plugin, error))
            {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
            plugins[p].take(plugin.times, plugin.renderTimes, run == 0);
        }
        std::printf("run %d of %d done\n", run + 1, kRuns);
    }

    DenseFigures dense[] = {{5}, {40}};
    for (DenseFigures& texture : dense)
    {
        NoteSequence piece;
        piece.makeDense(kDenseHeldKeys, texture.strikesPerSecond, kDenseSeconds, kSampleRate);
        BareSynthRun synth;
        PluginRun plugin;
        if (!RunBareSynth(riff.path(), piece, kSampleRate, kBlockFrames, synth, error) ||
            !RunPlugin(bank, piece, kSampleRate, kBlockFrames, plugin, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        texture.meanVoices = synth.meanVoices;
        texture.mostVoices = synth.mostVoices;
        texture.bareWorst = synth.threadTimes.worst();
        texture.bare999 = synth.threadTimes.percentile(0.999);
        texture.pluginWorst = plugin.threadTimes.worst();
        texture.plugin999 = plugin.threadTimes.percentile(0.999);
        texture.allocations = plugin.allocationsAfterWarmUp;
    }

    std::printf(
        "\nProcessor time: best of %d runs. Wall-clock time of processReplacing: worst block and 99.9th "
        "percentile over all runs (block: %.3f ms)\n",
        kRuns, blockSeconds * 1000.0);
    std::printf("%-36s %9s %9s %10s %10s %11s %10s\n", "", "cpu s", "RT factor", "vs bare", "vs reverb",
                "worst ms", "99.9% ms");
    const auto row = [&](const Figures& f)
    {
        std::printf("%-36s %9.3f %9.1f %+9.1f%% %+9.1f%% %11.3f %10.3f\n", f.name, f.best, seconds / f.best,
                    (f.best / bare.best - 1.0) * 100.0, (f.best / anchor.best - 1.0) * 100.0,
                    f.worst * 1000.0, f.percentile999 * 1000.0);
    };
    row(bare);
    row(anchor);
    for (const Figures& plugin : plugins)
        row(plugin);

    std::printf(
        "\nDense textures, %.0f s each: the rendering thread's processor time per block, in %% of the "
        "block's %.3f ms; heap operations on the audio thread after the first second\n",
        kDenseSeconds, blockSeconds * 1000.0);
    std::printf("%-10s %12s %12s %12s %12s %12s %12s\n", "voices", "most voices", "bare worst", "bare 99.9%",
                "plug worst", "plug 99.9%", "allocations");
    for (const DenseFigures& texture : dense)
        std::printf("%-10.0f %12d %11.1f%% %11.1f%% %11.1f%% %11.1f%% %12ld\n", texture.meanVoices,
                    texture.mostVoices, 100.0 * texture.bareWorst / blockSeconds,
                    100.0 * texture.bare999 / blockSeconds, 100.0 * texture.pluginWorst / blockSeconds,
                    100.0 * texture.plugin999 / blockSeconds, texture.allocations);
    std::printf(
        "Goal: the plug-in costs no more than the synthesizer with its reverb and chorus (stretch: at "
        "most +15 %% against the bare synthesizer); the worst block under 25 %% of its duration at "
        "128 voices; no heap operation after warm-up.\n");
    return 0;
}
