#include "instrument/EffectsChain.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "dsp/ReverbUnit.h"
#include "dsp/SimpleLimit.h"
#include "dsp/TenBandEQ.h"
#include "dsp/ToneControl.h"
#include "resources/Log.h"

using namespace dsp;
using namespace piano;
using namespace resources;

namespace instrument
{

namespace
{
// The reverb tail counts as silent at or below this level.
constexpr float kReverbSilence = 0.001f;
} // namespace

EffectsChain::EffectsChain() = default;
EffectsChain::~EffectsChain() = default;

void EffectsChain::create(float sampleRate)
{
    rate = sampleRate;
    LogLine("Creating EQ.");
    eq.reset(new (std::nothrow) TenBandEQ(sampleRate));

    LogLine("Creating Reverb.");
    const int integerRate = static_cast<int>(sampleRate);
    reverb.reset(new (std::nothrow) ReverbUnit(integerRate));
    reverbIdle = true;
    reverbIdleSeconds = kSleepSeconds;
    scratchLeft.reset();
    scratchRight.reset();
    scratchCapacity = 0;

    LogLine("Creating Tone Controls.");
    toneLeft.reset(new (std::nothrow) ToneControl(integerRate, 880, 5000));
    toneRight.reset(new (std::nothrow) ToneControl(integerRate, 880, 5000));
    if (reverb)
        reverb->SetMix(1.0f);

    LogLine("Creating Dynamics.");
    limiter.reset(new (std::nothrow) SimpleLimit());
    if (limiter)
    {
        limiter->SetSampleRate(sampleRate);
        limiter->SetAttack(kLimiterAttackMs);
        limiter->SetRelease(50.0f);
        limiter->SetThreshold(-0.5f);
        limiter->Reset();
    }
}

bool EffectsChain::prepare(int frames)
{
    if (frames == scratchCapacity)
        return true;
    std::unique_ptr<float[]> newLeft(new (std::nothrow) float[static_cast<size_t>(frames)]);
    std::unique_ptr<float[]> newRight(new (std::nothrow) float[static_cast<size_t>(frames)]);
    if (!newLeft || !newRight)
        return false;
    scratchLeft = std::move(newLeft);
    scratchRight = std::move(newRight);
    scratchCapacity = frames;
    return true;
}

void EffectsChain::setSampleRate(float sampleRate, int reverbType)
{
    rate = sampleRate;
    const int integerRate = static_cast<int>(sampleRate);
    if (eq)
        eq->SetSampleRate(sampleRate);
    if (reverb)
    {
        reverb->SetSampleRate(integerRate);
        reverb->SetPreset(reverbType);
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
}

bool EffectsChain::setLidCurve(const LidCurves::Curve* curve)
{
    if (!curve || !eq)
        return false;
    for (int band = 0; band < LidCurves::kBandCount; ++band)
        eq->SetBandGain(band, static_cast<float>((*curve)[static_cast<size_t>(band)]));
    return true;
}

void EffectsChain::setToneGain(int band, float gain)
{
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

void EffectsChain::setReverbType(int type)
{
    if (!reverb)
        return;
    reverb->SetPreset(type);
    reverb->SetMix(1.0f);
}

void EffectsChain::setReverbAmount(float amount)
{
    reverbAmount = amount;
    if (reverbAmount == 0.0f && reverb)
        reverb->SetSampleRate(static_cast<int>(rate));
}

void EffectsChain::setVolume(float value)
{
    volume = value;
}

int32_t EffectsChain::delay() const
{
    return limiter ? limiter->GetLookahead() : 0;
}

void EffectsChain::process(float* left, float* right, int frames)
{
    if (frames <= 0)
        return;
    int firstSounding = 0;
    while (firstSounding < frames && left[firstSounding] == 0.0f && right[firstSounding] == 0.0f)
        ++firstSounding;
    const bool silent = firstSounding == frames;

    if (eq)
        eq->ProcessBlock(left, right, frames);

    if (reverb && reverbAmount > 0.0f && !(silent && asleep()))
    {
        // A sleeping reverb wakes at the first sounding frame, not at the block's start: where it wakes
        // sets the phase of its modulation, which must not depend on the host's block size.
        const int wake = asleep() ? firstSounding : 0;
        runReverbSend(left + wake, right + wake, frames - wake, silent);
    }

    // Asleep, the chain is skipped; but not before the limiter has played out what its look-ahead still
    // holds, or the end of the last note would wait there and sound in front of the next one.
    const bool sleeping = silent && asleep();
    if (sleeping && limiterBacklog == 0)
    {
        // The equaliser's memory may still ring; a sleeping chain plays nothing, not that ring early
        // and unlimited.
        std::memset(left, 0, sizeof(float) * static_cast<size_t>(frames));
        std::memset(right, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    limiterBacklog = sleeping ? std::max(0, limiterBacklog - frames) : delay() + upstreamDelay;

    if (toneLeft && toneRight)
        ToneControl::ProcessPair(*toneLeft, *toneRight, left, right, frames);

    if (volume != 0.5f)
    {
        const float gain = volume * 2.0f;
        for (int i = 0; i < frames; ++i)
        {
            left[i] *= gain;
            right[i] *= gain;
        }
    }

    if (limiter)
        limiter->ProcessBlock(left, right, frames);
}

void EffectsChain::runReverbSend(float* left, float* right, int frames, bool silent)
{
    // The copies were sized for the largest piece ahead of processing; without them the send is left out.
    if (scratchCapacity < frames)
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
        reverbIdleSeconds += frames / static_cast<double>(rate);

    for (int i = 0; i < frames; ++i)
    {
        left[i] += scratchLeft[i] * reverbAmount;
        right[i] += scratchRight[i] * reverbAmount;
    }
}

} // namespace instrument
