#pragma once

#include "dsp/zreverb/CReverbNetwork.h"
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
    ReverbResult Create(int rateHz, int channelCount, int mode);

    // Interleaved frames; in and out may be the same buffer. More than kMaxFrames frames (or a negative
    // count, or a missing buffer) are refused with kReverbOutOfRange and nothing is written.
    ReverbResult Process(const float* in, float* out, int frames);
    // The same on separate channel buffers, processed in place: no interleaved copy is needed.
    ReverbResult ProcessChannels(float* left, float* right, int frames);

    // Clears the lines; the tuning, the shelf and low-pass memories and the cross-feedback stay.
    void Reset();

    // 0..6; any other index gives kReverbBadPreset and changes nothing. kReverbOutOfRange when the
    // preset applied but a value had to be clamped at this rate (e.g. "Plate"'s cutoff at 22050 Hz).
    ReverbResult SetPreset(int index);
    ReverbResult SetMix(float wetLevel);
    ReverbResult SetCutoff(float hz);
    ReverbResult SetBassBoost(float db);
    void SetTailLevel(float db);

    int Preset() const { return preset; }
    float Dry() const { return dry; }
    float Wet() const { return wet; }
    float PreDelay() const { return preDelay; }
    float SampleRate() const { return rate; }
    int Channels() const { return channels; }
    float Noise(int i) const { return noise[i]; }
    const CReverbNetwork& Network() const { return network; }

private:
    template <typename Frames> void Run(Frames frames, int count);

    int frameStride = 2;
    int channels = 2;
    float rate = 0.0f;
    float preDelay = 0.005f;
    float dry = 0.8f;
    float wet = 0.2f;
    float stereoWeight = 0.75f;
    int preset = 0;
    // Read in pairs (channel 0, channel 1): the index moves by two per frame and stays even.
    alignas(16) float noise[kNoiseSize] = {};
    uint32_t noiseIndex = 0;
    CReverbNetwork network;
    // One block's network input (with the noise) and what the network gives for it.
    PackedLanes x[CReverbNetwork::kBlock];
    PackedLanes er0[CReverbNetwork::kBlock];
    PackedLanes er1[CReverbNetwork::kBlock];
    PackedLanes sumL[CReverbNetwork::kBlock];
    PackedLanes sumR[CReverbNetwork::kBlock];
};

} // namespace zreverb
