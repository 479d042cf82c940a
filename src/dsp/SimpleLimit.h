#pragma once

#include "dsp/EnvelopeDetector.h"

#include <array>
#include <cstdint>

namespace dsp
{

// Stereo-linked look-ahead peak limiter: both channels are delayed by the look-ahead (the attack time),
// a held peak of the louder channel drives a one-pole envelope, and the delayed signal is multiplied by
// threshold / envelope, so the gain never exceeds 1. Audio thread only.
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
    float GetThreshold() const { return m_threshold; }
    float GetAttack() const { return m_attack.GetTime(); }
    float GetRelease() const { return m_release.GetTime(); }
    int GetLookahead() const { return m_lookahead; }
    // Changes both envelopes' rates; the look-ahead keeps its length in samples until the next SetAttack.
    void SetSampleRate(float rate);
    float GetSampleRate() const { return m_attack.GetSampleRate(); }
    void Reset();

    void ProcessSample(float& left, float& right)
    {
        float peak = left < 0.0f ? -left : left;
        const float peakRight = right < 0.0f ? -right : right;
        if (peakRight > peak)
        {
            peak = peakRight;
        }
        if (m_thresholdGain > peak)
        {
            peak = m_thresholdGain;
        }
        ++m_holdCounter;
        if (m_holdCounter >= m_lookahead || peak > m_heldPeak)
        {
            m_holdCounter = 0;
            m_heldPeak = peak;
        }
        const float c = m_heldPeak > m_envelope ? m_attackCoefficient : m_releaseCoefficient;
        m_envelope = m_heldPeak + (m_envelope - m_heldPeak) * c;
        const int32_t r = (m_writeIndex - m_lookahead) & m_mask;
        const float gain = m_thresholdGain / m_envelope;
        const float outLeft = m_delayLeft[r] * gain;
        const float outRight = m_delayRight[r] * gain;
        m_delayLeft[m_writeIndex] = left;
        m_delayRight[m_writeIndex] = right;
        m_writeIndex = (m_writeIndex + 1) & m_mask;
        left = outLeft;
        right = outRight;
    }

    float GetThresholdGain() const { return m_thresholdGain; }
    float GetEnvelope() const { return m_envelope; }
    float GetAttackCoefficient() const { return m_attack.GetCoefficient(); }
    float GetReleaseCoefficient() const { return m_release.GetCoefficient(); }

private:
    void CacheCoefficients();

    float m_threshold = 0.0f;
    float m_thresholdGain = 1.0f;
    int32_t m_lookahead = 0;
    int32_t m_holdCounter = 0;
    float m_heldPeak = 1.0f;
    FastEnvelope m_attack{1.0f, 44100.0f};
    FastEnvelope m_release{10.0f, 44100.0f};
    float m_envelope = 1.0f;
    int32_t m_mask = kDelaySize - 1;
    int32_t m_writeIndex = 0;
    // Copies of the envelopes' coefficients for the per-sample loop.
    float m_attackCoefficient = 0.0f;
    float m_releaseCoefficient = 0.0f;
    std::array<float, kDelaySize> m_delayLeft{};
    std::array<float, kDelaySize> m_delayRight{};
};

} // namespace dsp
