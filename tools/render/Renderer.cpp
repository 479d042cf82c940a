#include "render/Renderer.h"

#include "plughost/PluginHost.h"
#include "render/BlockPlayer.h"
#include "render/FrameScheduler.h"
#include "render/MidiFile.h"
#include "render/PluginRenderTarget.h"
#include "render/ProgressBar.h"
#include "render/RenderOptionParser.h"
#include "render/RenderStats.h"
#include "render/StateFile.h"
#include "render/WavWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

using namespace plughost;

namespace render
{

namespace
{

// The instrument's vendor-specific request that answers whether its sound bank's samples are all read.
constexpr host::VstInt32 kVendorSampleDataLoaded = 1004;
constexpr auto bankPollInterval = std::chrono::milliseconds(50);

// The plug-in's path with the extension of its file name replaced by DAT.
std::string soundBankBeside(const std::string& pluginPath)
{
    const size_t slash = pluginPath.find_last_of('/');
    const size_t dot = pluginPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? pluginPath.substr(0, dot) : pluginPath) + ".DAT";
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

bool Renderer::fail(const std::string& message)
{
    error = message;
    return false;
}

int Renderer::run(const std::vector<std::string>& args)
{
    RenderOptionParser parser;
    switch (parser.parse(args))
    {
    case RenderOptionParser::Outcome::ShowHelp:
        out << RenderOptionParser::usage();
        return 0;
    case RenderOptionParser::Outcome::Error:
        err << "virellando-render: " << parser.error() << "\n"
            << "Try 'virellando-render --help'.\n";
        return 2;
    case RenderOptionParser::Outcome::Render:
        break;
    }
    if (!render(parser.options()))
    {
        err << "virellando-render: " << error << "\n";
        return 1;
    }
    return 0;
}

bool Renderer::setUp(PluginInstance& instance, const RenderOptions& options)
{
    const host::AEffect* effect = instance.effect();
    if (effect->magic != host::kEffectMagic || effect->numOutputs < 2 || !effect->processReplacing ||
        (effect->flags & host::effFlagsCanReplacing) == 0)
        return fail("'" + options.pluginPath + "' is not a VST 2.4 plug-in with two replacing outputs");

    instance.dispatch(host::effOpen);
    instance.setSampleRate(float(options.sampleRate));
    instance.setBlockSize(host::VstInt32(options.blockSize));

    if (options.program >= 0)
    {
        if (options.program >= effect->numPrograms)
            return fail("program " + std::to_string(options.program) + " does not exist; the plug-in has " +
                        std::to_string(effect->numPrograms));
        instance.dispatch(host::effSetProgram, 0, options.program);
        if (instance.dispatch(host::effGetProgram) != options.program)
            return fail("the plug-in did not select program " + std::to_string(options.program) +
                        " (are its presets beside it?)");
    }
    if (!options.stateIn.empty())
    {
        std::vector<uint8_t> state;
        if (!StateFile::read(options.stateIn, state, error))
            return false;
        if (instance.dispatch(host::effSetChunk, 0, host::VstIntPtr(state.size()), state.data()) !=
            host::VstIntPtr(state.size()))
            return fail("the plug-in refused the state in '" + options.stateIn + "'");
    }
    for (const ParameterSetting& setting : options.parameters)
    {
        if (setting.index >= effect->numParams)
            return fail("parameter " + std::to_string(setting.index) + " does not exist; the plug-in has " +
                        std::to_string(effect->numParams));
        instance.setParameter(setting.index, setting.value);
    }
    return true;
}

bool Renderer::waitForSoundBank(PluginInstance& instance, const RenderOptions& options)
{
    if (instance.dispatch(host::effVendorSpecific, kVendorSampleDataLoaded) != 0)
        return true;
    // The instrument reads its sound bank from beside itself; without one, waiting would only time out.
    const std::string bankPath = soundBankBeside(options.pluginPath);
    if (!std::ifstream(bankPath).good())
        return fail("the sound bank '" + bankPath + "' is missing");

    const auto start = std::chrono::steady_clock::now();
    ProgressBar bar(err, "Loading sound bank");
    bool shown = false;
    while (instance.dispatch(host::effVendorSpecific, kVendorSampleDataLoaded) == 0)
    {
        const double waited = secondsSince(start);
        if (waited >= options.bankTimeoutSeconds)
        {
            if (shown)
                bar.finish("gave up");
            char text[160];
            std::snprintf(text, sizeof text,
                          "the sound bank was not ready after %.0f s (is the sound bank beside the plug-in?)",
                          options.bankTimeoutSeconds);
            return fail(text);
        }
        if (options.showProgress)
        {
            bar.showWaiting(waited);
            shown = true;
        }
        std::this_thread::sleep_for(bankPollInterval);
    }
    if (shown)
    {
        char text[32];
        std::snprintf(text, sizeof text, "ready in %.1f s", secondsSince(start));
        bar.showFraction(1.0);
        bar.finish(text);
    }
    return true;
}

bool Renderer::saveState(PluginInstance& instance, const std::string& path)
{
    void* data = nullptr;
    const host::VstIntPtr size = instance.dispatch(host::effGetChunk, 0, 0, &data);
    return StateFile::write(path, static_cast<const uint8_t*>(data), size > 0 ? size_t(size) : 0, error);
}

bool Renderer::playPiece(PluginInstance& instance, const MidiFile& midi, const RenderOptions& options,
                         WavWriter& wav, RenderStats& stats)
{
    if (std::none_of(midi.messages().begin(), midi.messages().end(),
                     [](const MidiMessage& m) { return m.isNoteOn(); }))
        err << "virellando-render: warning: '" << options.midiPath << "' plays no notes\n";

    const FrameScheduler scheduler(midi.timeUnitsPerSecond(), options.sampleRate, options.blockSize);
    const std::vector<ScheduledMessage> messages = scheduler.schedule(midi.messages());
    const uint64_t tailFrames = uint64_t(std::llround(options.tailSeconds * options.sampleRate));
    const uint64_t totalFrames =
        BlockPlayer::framesToRender(messages, scheduler.frameAt(midi.endTimeUnits()), tailFrames);

    ProgressBar bar(err, "Rendering");
    PluginRenderTarget target(instance);
    BlockPlayer player(options.blockSize);
    const auto consume = [&](const float* left, const float* right, uint32_t frames)
    {
        stats.addBlock(left, right, frames);
        return wav.write(left, right, frames);
    };
    const auto progress = [&](uint64_t done, uint64_t total)
    {
        if (options.showProgress)
            bar.showFraction(double(done) / double(total));
    };

    instance.dispatch(host::effMainsChanged, 0, 1);
    instance.dispatch(host::effStartProcess);
    const auto start = std::chrono::steady_clock::now();
    const bool played = player.play(messages, totalFrames, target, consume, progress);
    stats.setWallSeconds(secondsSince(start));
    instance.dispatch(host::effStopProcess);
    instance.dispatch(host::effMainsChanged, 0, 0);
    if (options.showProgress)
        bar.finish(played ? "done" : "stopped");
    if (!played || !wav.close())
        return fail(wav.error());
    return true;
}

bool Renderer::render(const RenderOptions& options)
{
    MidiFile midi;
    if (!midi.load(options.midiPath))
        return fail(midi.error());

    // Opened before the slow plug-in set-up so that a bad output path fails at once.
    WavWriter wav;
    if (!wav.open(options.wavPath, options.sampleRate, options.format))
        return fail(wav.error());
    const auto failAndRemove = [&](const std::string& message)
    {
        wav.close();
        std::remove(options.wavPath.c_str());
        return fail(message.empty() ? error : message);
    };

    PluginHost host;
    if (!host.load(options.pluginPath))
        return failAndRemove("cannot load the plug-in: " + host.error());
    HostAnswers answers;
    answers.sampleRate = options.sampleRate;
    answers.blockSize = host::VstInt32(options.blockSize);
    std::unique_ptr<PluginInstance> instance = host.instantiate(answers);
    if (!instance)
        return failAndRemove("the plug-in '" + options.pluginPath + "' created no instance");
    if (!setUp(*instance, options) || !waitForSoundBank(*instance, options))
        return failAndRemove("");

    RenderStats stats(options.sampleRate);
    if (!playPiece(*instance, midi, options, wav, stats))
        return false;

    if (!options.stateOut.empty() && !saveState(*instance, options.stateOut))
        return false;

    out << "wrote " << options.wavPath << "\n" << stats.summary();
    if (stats.nonFiniteSamples() > 0)
        return fail("the plug-in produced " + std::to_string(stats.nonFiniteSamples()) +
                    " NaN or infinite samples");
    return true;
}

} // namespace render
