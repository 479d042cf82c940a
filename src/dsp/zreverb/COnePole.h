#pragma once

namespace zreverb
{

// One-pole low-pass y = a x + b y[-1]. The state is flushed to zero whenever it is below 1e-21, a signed
// test that also clears every negative state; this keeps the recursion out of denormals.
class COnePole
{
public:
    COnePole() = default;
    COnePole(float a, float b) : m_a(a), m_b(b) {}

    void SetCoefficients(float a, float b)
    {
        m_a = a;
        m_b = b;
    }

    float Process(float x)
    {
        if (m_state < 1e-21f)
        {
            m_state = 0.0f;
        }
        m_state = m_a * x + m_b * m_state;
        return m_state;
    }

    void Clear() { m_state = 0.0f; }

    float A() const { return m_a; }
    float B() const { return m_b; }
    float State() const { return m_state; }

private:
    float m_a = 1.0f;
    float m_b = 0.0f;
    float m_state = 0.0f;
};

} // namespace zreverb
