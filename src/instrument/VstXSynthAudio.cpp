// The audio block: settings applied at the block's start, the engine rendered in stretches between events,
// then the equaliser, the reverb send, the tone controls, the volume and the limiter, in place.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <new>

#include "dsp/FlushDenormals.h"
#include "engine/SampleDataCache.h"
#include "instrument/VstXSynth.h"
#include "instrument/programs/SettingsLimits.h"
#include "platform/Platform.h"
#include "resources/FileNames.h"
#include "resources/Log.h"

using namespace dsp;
using namespace host;
using namespace piano;
using namespace resources;

namespace instrument
{

void VstXSynth::processBlock(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processReplacing(inputs, outputs, sampleFrames);
}

void VstXSynth::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (!outputs || !outputs[0] || !outputs[1])
    {
        endBlock();
        return;
    }
    // A host that calls processEvents only for blocks with events of its own must still hear the editor.
    if (!eventsMerged)
        mergeEvents(nullptr);
    // No recursion in the chain may run on denormals, whatever reaches it; the host's mode comes back on
    // return.
    const FlushDenormals flush;
    const int frames = sampleFrames > 0 ? sampleFrames : 0;

    applySettings();

    // A block longer than the buffers were sized for is rendered in pieces that fit; each event goes with
    // the piece its offset falls in, the last piece taking the rest.
    const int piece = preparedFrames > 0 ? preparedFrames : std::max(frames, 1);
    int event = 0;
    int start = 0;
    do
    {
        const int length = std::min(piece, frames - start);
        int end = event;
        while (end < blockEventCount &&
               (start + length >= frames || blockEvents[end].frameOffset < start + length))
            ++end;
        renderPiece(outputs[0] + start, outputs[1] + start, length, event, end, start);
        event = end;
        start += length;
    } while (start < frames);
    endBlock();
}

void VstXSynth::endBlock()
{
    blockEventCount = 0;
    dumps.clear();
    dumpBytes.clear();
    eventsMerged = false;
}

void VstXSynth::renderPiece(float* left, float* right, int frames, int firstEvent, int endEvent, int offset)
{
    int position = 0;
    int remaining = frames;
    for (int i = firstEvent; i < endEvent; ++i)
    {
        const EventQueueEntry& event = blockEvents[static_cast<size_t>(i)];
        int n = event.frameOffset - offset - position;
        if (n >= remaining)
            n = remaining - 1;
        if (n > 0)
        {
            renderStretch(n, left + position, right + position);
            remaining -= n;
            position += n;
        }
        handleEvent(event.message);
    }
    if (remaining > 0)
        renderStretch(remaining, left + position, right + position);
    effects.process(left, right, frames);
}

void VstXSynth::renderStretch(int frames, float* left, float* right)
{
    if (!engine)
    {
        std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
        std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    // While the envelope moves it takes one step per frame, and each step of controller 21 must land on
    // its own frame: the engine renders the frames up to a step in one call, then the step is sent.
    int rendered = 0;
    for (int i = 0; i < frames && resonanceRamp.active(); ++i)
    {
        int value = 0;
        if (!resonanceRamp.step(value))
            continue;
        renderEngine(i - rendered, left + rendered, right + rendered);
        rendered = i;
        engine->send(MidiMessage::kControlChange, kResonanceEnvelopeController, value);
    }
    renderEngine(frames - rendered, left + rendered, right + rendered);
}

void VstXSynth::renderEngine(int frames, float* left, float* right)
{
    if (frames <= 0)
        return;
    if (!engineAtHalfRate)
    {
        engine->render(frames, left, right);
        return;
    }
    const int input = upsampler.InputFramesFor(frames);
    if (!engineLeft || !engineRight || input > engineCapacity)
    {
        std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
        std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    if (input > 0)
        engine->render(input, engineLeft.get(), engineRight.get());
    upsampler.Process(engineLeft.get(), engineRight.get(), left, right, frames);
}

void VstXSynth::updateChorusUnit()
{
    // With no chorus send the unit would only process silence.
    if (engine)
        engine->setChorusActive(applied.chorus > 0.0f);
}

void VstXSynth::applySettings()
{
    if (settingsChanged.exchange(0, std::memory_order_acquire) == 0)
        return;
    // A damaged chunk may carry anything; what the audio path uses is always inside its range.
    const PianoSettings wanted = SettingsLimits::repaired(requested.load());

    if (wanted.lidPosition != applied.lidPosition)
    {
        applied.lidPosition = wanted.lidPosition;
        setLidCurve(lidCurves.curve(applied.lidPosition));
    }
    float PianoSettings::*const gains[3] = {&PianoSettings::bassGain, &PianoSettings::midGain,
                                            &PianoSettings::highGain};
    for (int band = 0; band < 3; ++band)
    {
        const float gain = wanted.*gains[band];
        if (gain == applied.*gains[band])
            continue;
        applied.*gains[band] = gain;
        effects.setToneGain(band, gain);
    }
    if (wanted.hammerAmount != applied.hammerAmount)
        applied.hammerAmount = wanted.hammerAmount;
    if (wanted.sympatheticResonance != applied.sympatheticResonance)
    {
        applied.sympatheticResonance = wanted.sympatheticResonance;
        if (engine)
            engine->send(MidiMessage::kControlChange, kResonanceAmountController,
                         static_cast<int>(applied.sympatheticResonance * 127.0f));
    }
    if (wanted.chorus != applied.chorus)
    {
        applied.chorus = wanted.chorus;
        updateChorusUnit();
        if (engine)
            engine->send(MidiMessage::kControlChange, MidiMessage::kChorus,
                         static_cast<int>(applied.chorus * 127.0));
    }
    if (wanted.reverbType != applied.reverbType)
    {
        applied.reverbType = wanted.reverbType;
        effects.setReverbType(applied.reverbType);
    }
    if (wanted.reverbAmount != applied.reverbAmount)
    {
        applied.reverbAmount = wanted.reverbAmount;
        effects.setReverbAmount(applied.reverbAmount);
    }
    applied.volume = wanted.volume;
    effects.setVolume(applied.volume);
    if (wanted.velocityCurve != applied.velocityCurve)
    {
        applied.velocityCurve = wanted.velocityCurve;
        velocityTable.rebuild(applied.velocityCurve);
    }
}

bool VstXSynth::setLidCurve(const LidCurves::Curve* curve)
{
    return effects.setLidCurve(curve);
}

float VstXSynth::engineRateFor(float hostRate)
{
    return hostRate > kEngineTopRate && hostRate * 0.5f <= kEngineTopRate ? hostRate * 0.5f : hostRate;
}

void VstXSynth::chooseEngineRate()
{
    engineRate = engineRateFor(sampleRate);
    engineAtHalfRate = engineRate != sampleRate;
    upsampler.Reset();
}

void VstXSynth::logEngineRate() const
{
    if (engineAtHalfRate)
        LogFormatted(
            "Engine rate %.0f Hz: half the host's %.0f Hz, doubled by the upsampler (%d frames later).",
            static_cast<double>(engineRate), static_cast<double>(sampleRate),
            HalfBandUpsampler::kDelayFrames);
    else
        LogFormatted("Engine rate %.0f Hz.", static_cast<double>(engineRate));
}

void VstXSynth::setBlockSize(VstInt32 newBlockSize)
{
    AudioEffectX::setBlockSize(newBlockSize);
    prepareBuffers();
}

void VstXSynth::resume()
{
    AudioEffectX::resume();
    prepareBuffers();
}

void VstXSynth::prepareBuffers()
{
    const int frames = std::clamp(static_cast<int>(blockSize), 1, kMaxPreparedFrames);
    if (frames == preparedFrames)
        return;
    const size_t events = static_cast<size_t>(std::max(kEventsPerFrame * frames, kMinimumEvents));
    const size_t halfFrames = static_cast<size_t>(frames / 2 + 2);
    std::unique_ptr<float[]> newEngineLeft(new (std::nothrow) float[halfFrames]);
    std::unique_ptr<float[]> newEngineRight(new (std::nothrow) float[halfFrames]);
    bool listsReserved = true;
    try
    {
        blockEvents.reserve(events);
        mergeScratch.reserve(events);
        drainedEvents.reserve(events);
        echoEvents.reserve(events);
        echoList.reserve(sizeof(VstEvents) + events * sizeof(VstEvent*));
        hostEvents.reserve(events);
        dumps.reserve(kMaxDumps);
        dumpBytes.reserve(kDumpBytes);
    }
    catch (const std::bad_alloc&)
    {
        listsReserved = false;
    }
    if (!newEngineLeft || !newEngineRight || !listsReserved || !effects.prepare(frames))
    {
        // The buffers of the last size stay; a longer block is rendered in pieces of that size.
        LogFormatted("Not enough memory for blocks of %d frames; blocks are rendered in pieces of %d.",
                     frames, preparedFrames);
        return;
    }
    engineLeft = std::move(newEngineLeft);
    engineRight = std::move(newEngineRight);
    engineCapacity = static_cast<int>(halfFrames);
    preparedFrames = frames;
}

void VstXSynth::logRateOutsideEngine() const
{
    LogFormatted("Sample rate %.0f Hz is outside the engine's range; the instrument is silent at this rate.",
                 static_cast<double>(sampleRate));
}

int VstXSynth::loadSoundBank()
{
    const std::string dataFile = ModuleFileWithExtension("DAT");
    LogFormatted("Module File Name: %s", platform::ModuleFileName().c_str());
    LogFormatted("Data File Name: %s", dataFile.c_str());
    std::error_code error;
    std::string toLoad;
    if (!std::filesystem::is_regular_file(dataFile, error))
    {
        LogFormatted("File Does Not Exist: %s", dataFile.c_str());
    }
    else
    {
        engine::SampleDataCache& cache = engine::SampleDataCache::shared();
        if (cache.userCount() == 0)
        {
            cache.resetLoadProgress();
            showSplash();
        }
        LogLine("Data File Exists, loading now.");
        toLoad = dataFile;
    }
    const int result = engine ? engine->load(toLoad) : -1;
    LogFormatted("Data File Load Complete, result = %i", result);
    return 1;
}

void VstXSynth::setSampleRate(float newRate)
{
    // A rate the engine and the filters cannot run at is not taken.
    if (!(newRate > 0.0f) || !std::isfinite(newRate))
        return;
    if (newRate == sampleRate)
        return;
    sampleRate = newRate;
    chooseEngineRate();
    if (!engine || !engine->hasSettings())
        return;
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    cache.setKeepSharedSamples(true);
    engine->destroySynth();
    if (!engine->setSampleRate(engineRate))
        logRateOutsideEngine();
    else
        logEngineRate();
    resonanceRamp.reset();
    samplesPerMillisecond = sampleRate * 0.001;
    if (engine->createSynth())
        loadSoundBank();
    updateChorusUnit();
    effects.setSampleRate(sampleRate, applied.reverbType);
    effects.setUpstreamDelay(upsamplerDelay());
    reportOutputDelay();
    cache.setKeepSharedSamples(false);
    engine->programSelect(0, 0);
}

} // namespace instrument
