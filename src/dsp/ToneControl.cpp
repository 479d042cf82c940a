#include "dsp/ToneControl.h"

#include <cmath>

namespace dsp
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Added once per sample to the first pole of each cascade so that silence never decays into denormals.
constexpr float kAntiDenormal = 2.3283064e-10f; // 2^-32

float SplitCoefficient(int frequency, int rate)
{
    return static_cast<float>(2.0 * std::sin(kPi * frequency / rate));
}
} // namespace

ToneControl::ToneControl(int rate, int lowFrequency, int highFrequency)
    : m_lowFrequency(lowFrequency), m_highFrequency(highFrequency)
{
    SetSampleRate(rate);
}

void ToneControl::Clear()
{
    m_lf = 0.0f;
    m_hf = 0.0f;
    for (int i = 0; i < 4; ++i)
    {
        lp[i] = 0.0f;
        hp[i] = 0.0f;
    }
    m_h1 = 0.0f;
    m_h2 = 0.0f;
    m_h3 = 0.0f;
}

void ToneControl::SetSampleRate(int rate)
{
    Clear();
    if (rate > 0)
    {
        m_lf = SplitCoefficient(m_lowFrequency, rate);
        m_hf = SplitCoefficient(m_highFrequency, rate);
    }
}

void ToneControl::Process(float* buffer, int frames)
{
    if ((m_lowGain == 1.0f && m_midGain == 1.0f && m_highGain == 1.0f) || buffer == nullptr)
    {
        return;
    }
    const float lf = m_lf;
    const float hf = m_hf;
    const float lowGain = m_lowGain;
    const float midGain = m_midGain;
    const float highGain = m_highGain;
    float lp0 = lp[0];
    float lp1 = lp[1];
    float lp2 = lp[2];
    float lp3 = lp[3];
    float hp0 = hp[0];
    float hp1 = hp[1];
    float hp2 = hp[2];
    float hp3 = hp[3];
    float h1 = m_h1;
    float h2 = m_h2;
    float h3 = m_h3;
    for (int i = 0; i < frames; ++i)
    {
        const float x = buffer[i];
        lp0 += lf * (x - lp0) + kAntiDenormal;
        lp1 += lf * (lp0 - lp1);
        lp2 += lf * (lp1 - lp2);
        lp3 += lf * (lp2 - lp3);
        const float l = lp3;
        hp0 += hf * (x - hp0) + kAntiDenormal;
        hp1 += hf * (hp0 - hp1);
        hp2 += hf * (hp1 - hp2);
        hp3 += hf * (hp2 - hp3);
        const float h = h3 - hp3;
        const float m = h3 - (h + l);
        h3 = h2;
        h2 = h1;
        h1 = x;
        buffer[i] = lowGain * l + midGain * m + highGain * h;
    }
    lp[0] = lp0;
    lp[1] = lp1;
    lp[2] = lp2;
    lp[3] = lp3;
    hp[0] = hp0;
    hp[1] = hp1;
    hp[2] = hp2;
    hp[3] = hp3;
    m_h1 = h1;
    m_h2 = h2;
    m_h3 = h3;
}

float ToneControl::State(int i) const
{
    if (i >= 0 && i < 4)
    {
        return lp[i];
    }
    if (i >= 4 && i < 8)
    {
        return hp[i - 4];
    }
    switch (i)
    {
    case 8:
        return m_h1;
    case 9:
        return m_h2;
    case 10:
        return m_h3;
    default:
        return 0.0f;
    }
}

} // namespace dsp
