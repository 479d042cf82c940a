#pragma once

#include "dsp/zreverb/CReverbChannel.h"
#include "dsp/zreverb/ReverbResult.h"

#include <cstdint>

namespace zreverb
{

// Stereo plate reverb: one complete network per input channel, cross-mixed 75 % / 25 % at the output.
// Built for two interleaved channels in mode 0. All operations run on the audio thread; tuning changes
// take effect at the next sample.
class CReverb
{
public:
    static constexpr int kMaxFrames = 8192;
    static constexpr int kNoiseSize = 1024;

    // Mode 0 with two channels is the one configuration built; other values give kReverbOutOfRange.
    // Applies "MediumHall", then dry 0.8 and wet 0.2.
    ReverbResult Create(int rate, int channels, int mode);

    // Interleaved frames; in and out may be the same buffer. More than kMaxFrames frames (or a negative
    // count, or a missing buffer) are refused with kReverbOutOfRange and nothing is written.
    ReverbResult Process(const float* in, float* out, int frames);

    // Clears the lines; the tuning, the shelf and low-pass memories and the cross-feedback stay.
    void Reset();

    // 0..6; any other index gives kReverbBadPreset and changes nothing. kReverbOutOfRange when the
    // preset applied but a value had to be clamped at this rate (e.g. "Plate"'s cutoff at 22050 Hz).
    ReverbResult SetPreset(int index);
    ReverbResult SetMix(float wet);
    ReverbResult SetCutoff(float hz);
    ReverbResult SetBassBoost(float db);
    void SetTailLevel(float db);

    int Preset() const { return m_preset; }
    float Dry() const { return m_dry; }
    float Wet() const { return m_wet; }
    float PreDelay() const { return m_preDelay; }
    float SampleRate() const { return m_rate; }
    int Channels() const { return m_channels; }
    float Noise(int i) const { return m_noise[i]; }
    const CReverbChannel& Channel(int c) const { return m_network[c]; }

private:
    int m_frameStride = 2;
    int m_channels = 2;
    float m_rate = 0.0f;
    float m_preDelay = 0.005f;
    float m_dry = 0.8f;
    float m_wet = 0.2f;
    float m_stereoWeight = 0.75f;
    int m_preset = 0;
    float m_noise[kNoiseSize] = {};
    uint32_t m_noiseIndex = 0;
    CReverbChannel m_network[2];
};

} // namespace zreverb
