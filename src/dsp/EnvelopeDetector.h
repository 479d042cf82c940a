#pragma once

namespace dsp
{

// One-pole envelope coefficient for a time constant in milliseconds at a sample rate:
// coefficient = exp(-1000 / (time * rate)). Audio thread only.
class EnvelopeDetector
{
public:
    EnvelopeDetector(float timeMs, float rate);
    virtual ~EnvelopeDetector() = default;

    virtual void SetTime(float timeMs);
    virtual float GetTime() const { return m_time; }
    virtual void SetSampleRate(float rate);
    virtual float GetSampleRate() const { return m_rate; }
    virtual void UpdateCoefficient();

    float GetCoefficient() const { return m_coefficient; }

protected:
    static float ExpCoefficient(float timeMs, float rate);

    float m_rate;
    float m_time;
    float m_coefficient;
};

} // namespace dsp
