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
    CBiQuadFilter(BiQuadType type, float frequency, float gainDb, float rate);

    // Stores the gain only; UpdateCoefficients applies it.
    void SetGain(float gainDb) { m_gain = gainDb; }
    void SetSampleRate(float rate) { m_rate = rate; }
    void UpdateCoefficients();
    void ClearHistory();

    float Process(float x)
    {
        float y = m_b0 * x + m_b1 * x1 + m_b2 * x2 - m_a1 * y1 - m_a2 * y2;
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

    BiQuadType Type() const { return m_type; }
    float Gain() const { return m_gain; }
    float Frequency() const { return m_frequency; }
    float SampleRate() const { return m_rate; }
    float Y1() const { return y1; }
    float Y2() const { return y2; }

private:
    BiQuadType m_type;
    float a = 0.0f;
    float m_gain;
    float m_frequency;
    float m_bandwidth = 1.0f;
    float m_rate;
    float m_b0 = 0.0f;
    float m_b1 = 0.0f;
    float m_b2 = 0.0f;
    float m_a1 = 0.0f;
    float m_a2 = 0.0f;
    float x1 = 0.0f;
    float x2 = 0.0f;
    float y1 = 0.0f;
    float y2 = 0.0f;
};

} // namespace dsp
