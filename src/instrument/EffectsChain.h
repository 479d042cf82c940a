// The instrument's own effects after the engine, in place in the host's buffers: the ten-band equaliser
// that carries the lid curve, the reverb send, the two tone controls, the volume and the limiter. A reverb
// that has heard nothing for two seconds of audio sleeps, and the chain behind it with it, once the
// limiter has played out its look-ahead.
// Threads: create, prepare and setSampleRate on the host's thread while no audio runs; the setters and
// process on the audio thread.
#pragma once

#include <cstdint>
#include <memory>

#include "piano/LidCurves.h"

namespace dsp
{
class ReverbUnit;
class SimpleLimit;
class TenBandEQ;
class ToneControl;
} // namespace dsp

namespace instrument
{

class EffectsChain
{
public:
    EffectsChain();
    ~EffectsChain();
    EffectsChain(const EffectsChain&) = delete;
    EffectsChain& operator=(const EffectsChain&) = delete;

    // Makes every effect for the rate, logging each step; an effect that cannot be made stays missing and
    // is left out. The equaliser starts flat, the send at 0.25, the volume at unity.
    void create(float sampleRate);
    // Sizes the reverb send's buffers for pieces of up to frames; false (the old size kept) without memory.
    bool prepare(int frames);
    // Passes a new rate to every effect; the reverb takes its preset again and the limiter's look-ahead
    // follows the rate, its delay line cleared.
    void setSampleRate(float sampleRate, int reverbType);

    // Puts a lid curve (ten band gains in dB) into both channels of the equaliser; false without a curve or
    // an equaliser.
    bool setLidCurve(const piano::LidCurves::Curve* curve);
    // Band 0 low, 1 middle, 2 high, on both tone controls.
    void setToneGain(int band, float gain);
    void setReverbType(int type);
    // The send's level; at 0 the reverb's memory is cleared, so that no tail comes back when it rises.
    void setReverbAmount(float amount);
    // 0.5 is unity gain.
    void setVolume(float value);
    // Frames by which the output ahead of the chain trails its input (the upsampler's delay): the chain keeps
    // running that much longer too before it sleeps.
    void setUpstreamDelay(int32_t frames) { upstreamDelay = frames; }

    // Runs the chain over one piece of a block, in place.
    void process(float* left, float* right, int frames);

    bool hasReverb() const { return reverb != nullptr; }
    bool asleep() const { return reverbIdle && reverbIdleSeconds >= kSleepSeconds; }
    // Frames the limiter's look-ahead delays the output by.
    int32_t delay() const;
    dsp::TenBandEQ* equaliser() { return eq.get(); }

private:
    // Quiet time after which the reverb and the chain behind it sleep, counted in audio time whatever the
    // block size (whole milliseconds per block would never add up in blocks shorter than a millisecond).
    static constexpr double kSleepSeconds = 2.0;
    static constexpr float kLimiterAttackMs = 5.0f;

    void runReverbSend(float* left, float* right, int frames, bool silent);

    float rate = 44100.0f;
    float reverbAmount = 0.25f;
    float volume = 0.5f;
    std::unique_ptr<dsp::TenBandEQ> eq;
    std::unique_ptr<dsp::ReverbUnit> reverb;
    bool reverbIdle = true;
    double reverbIdleSeconds = kSleepSeconds;
    std::unique_ptr<float[]> scratchLeft;
    std::unique_ptr<float[]> scratchRight;
    int32_t scratchCapacity = 0;
    std::unique_ptr<dsp::ToneControl> toneLeft;
    std::unique_ptr<dsp::ToneControl> toneRight;
    std::unique_ptr<dsp::SimpleLimit> limiter;
    int32_t upstreamDelay = 0;
    // Frames of sound the limiter's look-ahead may still hold: the chain runs on while it is above 0.
    int32_t limiterBacklog = 0;
};

} // namespace instrument
