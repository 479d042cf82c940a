// How fast the plug-in plays against the synthesizer library alone: each piece at 44100 Hz in 256-frame
// blocks, played by the bare library, the library with its own reverb and chorus (what a musician compares
// a piano with), and the plug-in (as it starts, then without its reverb, then also without the sympathetic
// resonance). All five take turns through the piece, two seconds of it each in a changing order, so that a
// busy machine slows them alike; each round's processor times are compared within the round, and the
// median round counts. The voices the bare library and the instrument play on each piece, mean and most
// over its blocks (the instrument linked in, since the built plug-in does not report them). Then two dense
// textures that keep about 128 and 256 voices sounding: each block's processor time on the rendering
// thread, worst and 99.9th percentile, against the block's duration, and the plug-in's heap operations
// after warm-up.
//
//   virellando-bench-play [sound bank] [MIDI file...]
//
// Defaults: the bundle's Virellando.DAT, the demo piece and the pedalled repeats (an Alberti bass and
// repeated chords under one long pedal); when no piece can be read a made-up piece is played.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BareSynthRun.h"
#include "InstrumentRun.h"
#include "NoteSequence.h"
#include "PluginRun.h"
#include "RiffBank.h"
#include "Turns.h"

namespace
{
constexpr int kSampleRate = 44100;
constexpr int kBlockFrames = 256;
constexpr int kRounds = 7;
constexpr uint64_t kTurnFrames = 2 * kSampleRate;
constexpr double kMadeUpSeconds = 90.0;
constexpr double kDenseSeconds = 20.0;
constexpr int kDenseHeldKeys = 10;
constexpr int kReverbAmount = 2;
constexpr int kResonance = 6;

// One piece's figures: the five configurations' times and the voices played.
struct PieceFigures
{
    std::string name;
    NoteSequence notes;
    Figures bare{"bare synthesizer", {}};
    Figures anchor{"synthesizer with its reverb+chorus", {}};
    static constexpr size_t kPlugins = 3;
    Figures plugins[kPlugins] = {
        {"plug-in", {}}, {"plug-in, no reverb", {}}, {"plug-in, no reverb or resonance", {}}};
    double bareMeanVoices = 0.0;
    int bareMostVoices = 0;
    double pluginMeanVoices = 0.0;
    int pluginMostVoices = 0;
};

// Plays the piece's rounds: false with a message in error when a run cannot be set up.
bool PlayRounds(PieceFigures& piece, const std::string& bank, const RiffBank& riff, std::string& error)
{
    const ParameterValues pluginParameters[PieceFigures::kPlugins] = {
        {}, {{kReverbAmount, 0.0f}}, {{kReverbAmount, 0.0f}, {kResonance, 0.0f}}};
    for (int round = 0; round < kRounds; ++round)
    {
        BareSynthRun synth(false);
        BareSynthRun synthWithEffects(true);
        std::unique_ptr<PluginRun> runs[PieceFigures::kPlugins];
        if (!synth.open(riff.path(), piece.notes, kSampleRate, kBlockFrames, error) ||
            !synthWithEffects.open(riff.path(), piece.notes, kSampleRate, kBlockFrames, error))
            return false;
        std::vector<std::function<void(uint64_t)>> players = {[&](uint64_t end) { synth.playUntil(end); },
                                                              [&](uint64_t end)
                                                              { synthWithEffects.playUntil(end); }};
        for (size_t p = 0; p < PieceFigures::kPlugins; ++p)
        {
            runs[p] = std::make_unique<PluginRun>();
            if (!runs[p]->open(bank, piece.notes, kSampleRate, kBlockFrames, pluginParameters[p], error))
                return false;
            players.push_back([run = runs[p].get()](uint64_t end) { run->playUntil(end); });
        }
        TakeTurns(players, piece.notes.frames, kTurnFrames);
        piece.bare.take(synth.processorSeconds, synth.times);
        piece.anchor.take(synthWithEffects.processorSeconds, synthWithEffects.times);
        for (size_t p = 0; p < PieceFigures::kPlugins; ++p)
            piece.plugins[p].take(runs[p]->processorSeconds, runs[p]->renderTimes);
        piece.bareMeanVoices = synth.voices.mean();
        piece.bareMostVoices = synth.voices.mostAtOnce();
        std::printf("%s: round %d of %d done\n", piece.name.c_str(), round + 1, kRounds);
    }
    InstrumentRun instrument;
    if (!instrument.open(bank, piece.notes, kSampleRate, kBlockFrames, error))
        return false;
    instrument.playUntil(piece.notes.frames);
    piece.pluginMeanVoices = instrument.voices.mean();
    piece.pluginMostVoices = instrument.voices.mostAtOnce();
    return true;
}

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
    std::vector<std::string> midiFiles(argv + std::min(argc, 2), argv + argc);
    if (midiFiles.empty())
        midiFiles = {VIRELLANDO_BENCH_MIDI, VIRELLANDO_BENCH_PEDALLED_MIDI};
    if (!std::filesystem::is_regular_file(bank))
    {
        std::fprintf(stderr, "No sound bank at %s; give one as the first argument.\n", bank.c_str());
        return 1;
    }
    std::vector<std::unique_ptr<PieceFigures>> pieces;
    for (const std::string& midi : midiFiles)
    {
        auto piece = std::make_unique<PieceFigures>();
        if (!piece->notes.loadMidiFile(midi, kSampleRate))
        {
            std::fprintf(stderr, "%s; left out.\n", piece->notes.origin.c_str());
            continue;
        }
        piece->name = std::filesystem::path(midi).stem().string();
        pieces.push_back(std::move(piece));
    }
    if (pieces.empty())
    {
        auto piece = std::make_unique<PieceFigures>();
        piece->notes.makePiece(kMadeUpSeconds, kSampleRate);
        piece->name = "made-up";
        std::fprintf(stderr, "No piece could be read; playing %s instead.\n", piece->notes.origin.c_str());
        pieces.push_back(std::move(piece));
    }
    const RiffBank riff(bank);
    if (riff.path().empty())
    {
        std::fprintf(stderr, "Cannot read %s.\n", bank.c_str());
        return 1;
    }

    const double blockSeconds = static_cast<double>(kBlockFrames) / kSampleRate;
    std::printf("Bank: %s\n", bank.c_str());
    for (const auto& piece : pieces)
        std::printf("Piece %s: %s, %zu events, %.1f s of audio, %d-frame blocks at %d Hz\n",
                    piece->name.c_str(), piece->notes.origin.c_str(), piece->notes.events.size(),
                    static_cast<double>(piece->notes.frames) / kSampleRate, kBlockFrames, kSampleRate);

    std::string error;
    for (auto& piece : pieces)
    {
        if (!PlayRounds(*piece, bank, riff, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    DenseFigures dense[] = {{5}, {40}};
    for (DenseFigures& texture : dense)
    {
        NoteSequence piece;
        piece.makeDense(kDenseHeldKeys, texture.strikesPerSecond, kDenseSeconds, kSampleRate);
        BareSynthRun synth(false);
        PluginRun plugin;
        if (!synth.open(riff.path(), piece, kSampleRate, kBlockFrames, error) ||
            !plugin.open(bank, piece, kSampleRate, kBlockFrames, {}, error))
        {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        TakeTurns({[&](uint64_t end) { synth.playUntil(end); }, [&](uint64_t end) { plugin.playUntil(end); }},
                  piece.frames, kTurnFrames);
        texture.meanVoices = synth.voices.mean();
        texture.mostVoices = synth.voices.mostAtOnce();
        texture.bareWorst = synth.threadTimes.worst();
        texture.bare999 = synth.threadTimes.percentile(0.999);
        texture.pluginWorst = plugin.threadTimes.worst();
        texture.plugin999 = plugin.threadTimes.percentile(0.999);
        texture.allocations = plugin.allocationsAfterWarmUp;
    }

    std::printf(
        "\nProcessor time of the rendering thread: the median of %d rounds, and the median of the rounds' "
        "ratios. Wall-clock time of processReplacing: worst block and 99.9th percentile over all "
        "rounds (block: %.3f ms)\n",
        kRounds, blockSeconds * 1000.0);
    std::printf("%-54s %9s %9s %10s %10s %11s %10s\n", "", "cpu s", "RT factor", "vs bare", "vs reverb",
                "worst ms", "99.9% ms");
    for (const auto& piece : pieces)
    {
        const double seconds = static_cast<double>(piece->notes.frames) / kSampleRate;
        const auto row = [&](const Figures& f)
        {
            const double median = Median(f.seconds);
            const std::string name = piece->name + ": " + f.name;
            std::printf("%-54s %9.3f %9.1f %+9.1f%% %+9.1f%% %11.3f %10.3f\n", name.c_str(), median,
                        seconds / median, (f.against(piece->bare) - 1.0) * 100.0,
                        (f.against(piece->anchor) - 1.0) * 100.0, f.worst * 1000.0, f.percentile999 * 1000.0);
        };
        row(piece->bare);
        row(piece->anchor);
        for (const Figures& plugin : piece->plugins)
            row(plugin);
    }

    std::printf("\nVoices the synthesizer plays, mean and most over the piece's blocks\n");
    std::printf("%-20s %12s %12s %12s %12s\n", "piece", "bare mean", "bare most", "plug-in mean",
                "plug-in most");
    for (const auto& piece : pieces)
        std::printf("%-20s %12.1f %12d %12.1f %12d\n", piece->name.c_str(), piece->bareMeanVoices,
                    piece->bareMostVoices, piece->pluginMeanVoices, piece->pluginMostVoices);

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
        "most +15 %% against the bare synthesizer), and on pedalled music no more than the bare synthesizer, "
        "as it plays fewer voices; the worst block under 25 %% of its duration at 128 voices; no heap "
        "operation after warm-up.\n");
    return 0;
}
