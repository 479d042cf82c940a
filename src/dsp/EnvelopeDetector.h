#pragma once

namespace dsp
{

// One-pole envelope coefficient for a time constant in milliseconds at a sample rate:
// coefficient = exp(-1000 / (time * rate)). Audio thread only.
class EnvelopeDetector
{
public:
    EnvelopeDetector(float timeMs, float rateHz);
    virtual ~EnvelopeDetector() = default;

    virtual void SetTime(float timeMs);
    virtual float GetTime() const { return time; }
    virtual void SetSampleRate(float rateHz);
    virtual float GetSampleRate() const { return rate; }
    virtual void UpdateCoefficient();

    float GetCoefficient() const { return coefficient; }

protected:
    static float ExpCoefficient(float timeMs, float rateHz);

    float rate;
    float time;
    float coefficient;
};

} // namespace dsp
