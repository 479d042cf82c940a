#pragma once

namespace zreverb
{

// Second-order low shelf (boost or cut) after Zoelzer; coefficients are recomputed lazily on the next
// sample after a gain or frequency change.
class CBassBoost
{
public:
    CBassBoost(float rate, float frequency, float gainDb);

    void SetGain(float gainDb)
    {
        m_gain = gainDb;
        m_recalculate = 1;
    }
    void SetFrequency(float hz)
    {
        m_frequency = hz;
        m_recalculate = 1;
    }

    float Process(float x)
    {
        if (m_recalculate != 0)
        {
            UpdateCoefficients();
        }
        const float y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 + m_a1 * m_y1 + m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

    float Gain() const { return m_gain; }
    bool NeedsRecalculation() const { return m_recalculate != 0; }
    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }

private:
    void UpdateCoefficients();

    float m_x1 = 0.0f;
    float m_x2 = 0.0f;
    float m_y1 = 0.0f;
    float m_y2 = 0.0f;
    float m_b0 = 1.0f;
    float m_b1 = 0.0f;
    float m_b2 = 0.0f;
    float m_a1 = 0.0f; // a1 and a2 carry the sign with which they are added
    float m_a2 = 0.0f;
    float m_frequency;
    float m_gain;
    float m_rate;
    int m_recalculate = 1;
};

} // namespace zreverb
