#pragma once

#include <cstdint>
#include <cstring>

namespace dsp
{

// Filter shapes of CBiQuadFilter; the values are stable.
enum BiQuadType : int
{
    kBiQuadPeaking = 0,
    kBiQuadLowShelf = 1,
    kBiQuadHighShelf = 2,
    kBiQuadLowPass = 3,
    kBiQuadHighPass = 4,
    kBiQuadBandPass = 5, // 0 dB peak
    kBiQuadNotch = 6,
};

// Second-order filter with audio-EQ cookbook coefficients (bandwidth form), single precision.
// Outputs that would be zero or denormal are flushed to exactly 0, so the recursion never runs on
// denormals. Audio thread only.
class CBiQuadFilter
{
public:
    CBiQuadFilter(BiQuadType filterType, float frequencyHz, float gainDb, float rateHz);

    // Stores the gain only; UpdateCoefficients applies it.
    void SetGain(float gainDb) { gain = gainDb; }
    void SetSampleRate(float rateHz) { rate = rateHz; }
    void UpdateCoefficients();
    void ClearHistory();

    float Process(float x)
    {
        float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        uint32_t bits;
        std::memcpy(&bits, &y, sizeof bits);
        if ((bits & 0x7F800000u) == 0)
        {
            y = 0.0f;
        }
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // The recursion's coefficients and memory, for a caller that runs several filters side by side.
    struct Coefficients
    {
        float b0, b1, b2, a1, a2;
    };
    struct History
    {
        float x1, x2, y1, y2;
    };
    Coefficients GetCoefficients() const { return {b0, b1, b2, a1, a2}; }
    History GetHistory() const { return {x1, x2, y1, y2}; }
    void SetHistory(const History& history)
    {
        x1 = history.x1;
        x2 = history.x2;
        y1 = history.y1;
        y2 = history.y2;
    }

    BiQuadType Type() const { return type; }
    float Gain() const { return gain; }
    float Frequency() const { return frequency; }
    float SampleRate() const { return rate; }
    float Y1() const { return y1; }
    float Y2() const { return y2; }

private:
    BiQuadType type;
    float a = 0.0f;
    float gain;
    float frequency;
    float bandwidth = 1.0f;
    float rate;
    float b0 = 0.0f;
    float b1 = 0.0f;
    float b2 = 0.0f;
    float a1 = 0.0f;
    float a2 = 0.0f;
    float x1 = 0.0f;
    float x2 = 0.0f;
    float y1 = 0.0f;
    float y2 = 0.0f;
};

} // namespace dsp
