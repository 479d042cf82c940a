// The audio block: settings applied at the block's start, the engine rendered in stretches between events,
// then the equaliser, the reverb send, the tone controls, the volume and the limiter, in place.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <new>

#include "dsp/ReverbUnit.h"
#include "dsp/SimpleLimit.h"
#include "dsp/TenBandEQ.h"
#include "dsp/ToneControl.h"
#include "engine/SampleDataCache.h"
#include "instrument/VstXSynth.h"
#include "instrument/programs/SettingsLimits.h"
#include "platform/Platform.h"
#include "platform/SplashScreen.h"
#include "resources/FileNames.h"
#include "resources/Log.h"

using namespace dsp;
using namespace host;
using namespace piano;
using namespace resources;

namespace instrument
{

namespace
{
// The reverb tail counts as silent at or below this level.
constexpr float kReverbSilence = 0.001f;
} // namespace

void VstXSynth::processBlock(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processReplacing(inputs, outputs, sampleFrames);
}

void VstXSynth::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (!outputs || !outputs[0] || !outputs[1])
    {
        blockEventCount = 0;
        return;
    }
    float* left = outputs[0];
    float* right = outputs[1];
    const int frames = sampleFrames > 0 ? sampleFrames : 0;

    applySettings();

    int position = 0;
    int remaining = frames;
    for (int i = 0; i < blockEventCount; ++i)
    {
        const EventQueueEntry& event = blockEvents[static_cast<size_t>(i)];
        int n = event.frameOffset - position;
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
    blockEventCount = 0;
    if (remaining > 0)
        renderStretch(remaining, left + position, right + position);
    if (frames == 0)
        return;

    int firstSounding = 0;
    while (firstSounding < frames && left[firstSounding] == 0.0f && right[firstSounding] == 0.0f)
        ++firstSounding;
    const bool silent = firstSounding == frames;

    if (eq)
        for (int i = 0; i < frames; ++i)
            eq->ProcessSample(left[i], right[i]);

    if (reverb && applied.reverbAmount > 0.0f && !(silent && reverbAsleep()))
    {
        // A sleeping reverb wakes at the first sounding frame, not at the block's start: where it wakes
        // sets the phase of its modulation, which must not depend on the host's block size.
        const int wake = reverbAsleep() ? firstSounding : 0;
        runReverbSend(left + wake, right + wake, frames - wake, silent);
    }

    // Asleep, the chain is skipped; but not before the limiter has played out what its look-ahead still
    // holds, or the end of the last note would wait there and sound in front of the next one.
    const bool asleep = silent && reverbAsleep();
    if (asleep && limiterBacklog == 0)
    {
        // The equaliser's memory may still ring; a sleeping chain plays nothing, not that ring early
        // and unlimited.
        std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
        std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    limiterBacklog = asleep ? std::max(0, limiterBacklog - frames) : outputDelay();

    if (toneLeft && toneRight)
    {
        toneLeft->Process(left, frames);
        toneRight->Process(right, frames);
    }

    if (applied.volume != 0.5f)
    {
        const float gain = applied.volume * 2.0f;
        for (int i = 0; i < frames; ++i)
        {
            left[i] *= gain;
            right[i] *= gain;
        }
    }

    if (limiter)
        for (int i = 0; i < frames; ++i)
            limiter->ProcessSample(left[i], right[i]);
}

void VstXSynth::runReverbSend(float* left, float* right, int frames, bool silent)
{
    if (!ensureScratch(frames))
        return;
    std::memcpy(scratchLeft.get(), left, sizeof(float) * static_cast<size_t>(frames));
    std::memcpy(scratchRight.get(), right, sizeof(float) * static_cast<size_t>(frames));
    reverb->Process(scratchLeft.get(), scratchRight.get(), frames);

    if (silent)
    {
        reverbIdle = true;
        for (int i = 0; i < frames; ++i)
        {
            if (scratchLeft[i] > kReverbSilence || scratchRight[i] > kReverbSilence)
            {
                reverbIdleSeconds = 0.0;
                reverbIdle = false;
                break;
            }
        }
    }
    else
    {
        reverbIdleSeconds = 0.0;
        reverbIdle = false;
    }
    if (reverbIdle)
        reverbIdleSeconds += frames / static_cast<double>(sampleRate);

    const float amount = applied.reverbAmount;
    for (int i = 0; i < frames; ++i)
    {
        left[i] += scratchLeft[i] * amount;
        right[i] += scratchRight[i] * amount;
    }
}

bool VstXSynth::ensureScratch(int frames)
{
    if (scratchCapacity >= frames)
        return true;
    // Only a block larger than any before allocates; a failure leaves the send out for this block.
    scratchLeft.reset(new (std::nothrow) float[static_cast<size_t>(frames)]);
    scratchRight.reset(new (std::nothrow) float[static_cast<size_t>(frames)]);
    if (!scratchLeft || !scratchRight)
    {
        scratchLeft.reset();
        scratchRight.reset();
        scratchCapacity = 0;
        return false;
    }
    scratchCapacity = frames;
    return true;
}

void VstXSynth::renderStretch(int frames, float* left, float* right)
{
    if (!engine)
    {
        std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
        std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    if (!resonanceRamp.active())
    {
        engine->render(frames, left, right);
        return;
    }
    // While the envelope moves the engine is asked for one frame at a time, so that each step of
    // controller 21 lands on its own frame.
    for (int i = 0; i < frames; ++i)
    {
        int value = 0;
        if (resonanceRamp.step(value))
            engine->send(MidiMessage::kControlChange, kResonanceEnvelopeController, value);
        engine->render(1, left + i, right + i);
    }
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
        for (ToneControl* tone : {toneLeft.get(), toneRight.get()})
        {
            if (!tone)
                continue;
            if (band == 0)
                tone->SetLowGain(gain);
            else if (band == 1)
                tone->SetMidGain(gain);
            else
                tone->SetHighGain(gain);
        }
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
        if (engine)
            engine->send(MidiMessage::kControlChange, MidiMessage::kChorus,
                         static_cast<int>(applied.chorus * 127.0));
    }
    if (wanted.reverbType != applied.reverbType)
    {
        applied.reverbType = wanted.reverbType;
        if (reverb)
        {
            reverb->SetPreset(applied.reverbType);
            reverb->SetMix(1.0f);
        }
    }
    if (wanted.reverbAmount != applied.reverbAmount)
    {
        applied.reverbAmount = wanted.reverbAmount;
        // Clears the reverb's memory: a tail must not come back when the amount rises again.
        if (applied.reverbAmount == 0.0f && reverb)
            reverb->SetSampleRate(static_cast<int>(sampleRate));
    }
    applied.volume = wanted.volume;
    if (wanted.velocityCurve != applied.velocityCurve)
    {
        applied.velocityCurve = wanted.velocityCurve;
        velocityTable.rebuild(applied.velocityCurve);
    }
}

bool VstXSynth::setLidCurve(const LidCurves::Curve* curve)
{
    if (!curve || !eq)
        return false;
    for (int band = 0; band < LidCurves::kBandCount; ++band)
        eq->SetBandGain(band, static_cast<float>((*curve)[static_cast<size_t>(band)]));
    return true;
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
            platform::ShowSplashScreen(ModuleFileWithExtension("SKIN"), parentWindow);
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
    if (!engine || !engine->hasSettings())
        return;
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    cache.setKeepSharedSamples(true);
    engine->destroySynth();
    if (!engine->setSampleRate(sampleRate))
        logRateOutsideEngine();
    resonanceRamp.reset();
    samplesPerMillisecond = sampleRate * 0.001;
    if (engine->createSynth())
        loadSoundBank();
    const int integerRate = static_cast<int>(sampleRate);
    if (eq)
        eq->SetSampleRate(sampleRate);
    if (reverb)
    {
        reverb->SetSampleRate(integerRate);
        reverb->SetPreset(applied.reverbType);
        reverb->SetMix(1.0f);
    }
    if (toneLeft)
        toneLeft->SetSampleRate(integerRate);
    if (toneRight)
        toneRight->SetSampleRate(integerRate);
    if (limiter)
    {
        limiter->SetSampleRate(sampleRate);
        // The look-ahead is counted in samples: kept at its start-up length, it no longer matches the
        // attack at the new rate, and peaks pass the limiter far above its threshold. Its delay line is
        // cleared with it, or a longer look-ahead would play audio from before the change again.
        limiter->SetAttack(kLimiterAttackMs);
        limiter->Reset();
    }
    limiterBacklog = 0;
    reportOutputDelay();
    cache.setKeepSharedSamples(false);
    engine->programSelect(0, 0);
}

} // namespace instrument
