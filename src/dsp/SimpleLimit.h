#pragma once

#include "dsp/EnvelopeDetector.h"

#include <array>
#include <cstdint>
#include <limits>

namespace dsp
{

// Stereo-linked look-ahead peak limiter: both channels are delayed by the look-ahead (the attack time),
// a held peak of the louder channel drives a one-pole envelope, and the delayed signal is multiplied by
// threshold / envelope, so the gain never exceeds 1. The held peak is the loudest frame still waiting in
// the delay line, so no peak leaves it before the attack has had the whole look-ahead to meet it.
// Audio thread only.
class SimpleLimit
{
public:
    // Envelope whose coefficient closes 99 % of a step within its time: 0.01^(1000 / (time * rate)).
    class FastEnvelope : public EnvelopeDetector
    {
    public:
        using EnvelopeDetector::EnvelopeDetector;
        void UpdateCoefficient() override;
    };

    static constexpr int kDelaySize = 4096;

    SimpleLimit();

    void SetThreshold(float db);
    // The look-ahead becomes trunc(rate * ms / 1000) samples of the attack envelope's rate.
    void SetAttack(float ms);
    void SetRelease(float ms);
    float GetThreshold() const { return threshold; }
    float GetAttack() const { return attack.GetTime(); }
    float GetRelease() const { return release.GetTime(); }
    int GetLookahead() const { return lookahead; }
    // Changes both envelopes' rates; the look-ahead keeps its length in samples until the next SetAttack.
    void SetSampleRate(float rate);
    float GetSampleRate() const { return attack.GetSampleRate(); }
    void Reset();

    // One frame, in place.
    void ProcessSample(float& left, float& right) { ProcessBlock(&left, &right, 1); }
    // Every frame of a block in turn, in place. Out of line, so that the instrument and the benchmark run
    // one compiled loop.
    void ProcessBlock(float* left, float* right, int frames);

    float GetThresholdGain() const { return thresholdGain; }
    float GetEnvelope() const { return envelope; }
    float GetAttackCoefficient() const { return attack.GetCoefficient(); }
    float GetReleaseCoefficient() const { return release.GetCoefficient(); }

private:
    // A frame that may yet be the held peak: its level (the louder channel, at least the threshold gain)
    // and where it went into the delay line.
    struct Candidate
    {
        float level;
        int32_t position;
    };
    static constexpr float kMark = std::numeric_limits<float>::infinity();

    void CacheCoefficients();

    float threshold = 0.0f;
    float thresholdGain = 1.0f;
    int32_t lookahead = 0;
    FastEnvelope attack{1.0f, 44100.0f};
    FastEnvelope release{10.0f, 44100.0f};
    float envelope = 1.0f;
    int32_t mask = kDelaySize - 1;
    int32_t writeIndex = 0;
    // Copies of the envelopes' coefficients for the per-sample loop.
    float attackCoefficient = 0.0f;
    float releaseCoefficient = 0.0f;
    std::array<float, kDelaySize> delayLeft{};
    std::array<float, kDelaySize> delayRight{};
    // The candidates, oldest first and strictly falling: a frame leaves when it has been read out or when a
    // frame at least as loud arrives after it, so the first is the held peak, the loudest frame not yet
    // read out. A ring addressed by the mask; front and back count on and wrap. The slot before the first
    // holds the mark, a level no frame reaches, so that the search from the back needs no count.
    std::array<Candidate, kDelaySize> candidates{};
    uint32_t candidatesFront = 0;
    uint32_t candidatesBack = 0;
};

} // namespace dsp
