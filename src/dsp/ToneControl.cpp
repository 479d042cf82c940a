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

ToneControl::ToneControl(int rate, int lowFrequencyHz, int highFrequencyHz)
    : lowFrequency(lowFrequencyHz), highFrequency(highFrequencyHz)
{
    SetSampleRate(rate);
}

void ToneControl::Clear()
{
    lf = 0.0f;
    hf = 0.0f;
    for (int i = 0; i < 4; ++i)
    {
        lp[i] = 0.0f;
        hp[i] = 0.0f;
    }
    h1 = 0.0f;
    h2 = 0.0f;
    h3 = 0.0f;
}

void ToneControl::SetSampleRate(int rate)
{
    Clear();
    if (rate > 0)
    {
        lf = SplitCoefficient(lowFrequency, rate);
        hf = SplitCoefficient(highFrequency, rate);
    }
}

void ToneControl::Process(float* buffer, int frames)
{
    if ((lowGain == 1.0f && midGain == 1.0f && highGain == 1.0f) || buffer == nullptr)
    {
        return;
    }
    const float lowSplit = lf;
    const float highSplit = hf;
    const float lowLevel = lowGain;
    const float midLevel = midGain;
    const float highLevel = highGain;
    float lp0 = lp[0];
    float lp1 = lp[1];
    float lp2 = lp[2];
    float lp3 = lp[3];
    float hp0 = hp[0];
    float hp1 = hp[1];
    float hp2 = hp[2];
    float hp3 = hp[3];
    float delayed1 = h1;
    float delayed2 = h2;
    float delayed3 = h3;
    for (int i = 0; i < frames; ++i)
    {
        const float x = buffer[i];
        lp0 += lowSplit * (x - lp0) + kAntiDenormal;
        lp1 += lowSplit * (lp0 - lp1);
        lp2 += lowSplit * (lp1 - lp2);
        lp3 += lowSplit * (lp2 - lp3);
        const float l = lp3;
        hp0 += highSplit * (x - hp0) + kAntiDenormal;
        hp1 += highSplit * (hp0 - hp1);
        hp2 += highSplit * (hp1 - hp2);
        hp3 += highSplit * (hp2 - hp3);
        const float h = delayed3 - hp3;
        const float m = delayed3 - (h + l);
        delayed3 = delayed2;
        delayed2 = delayed1;
        delayed1 = x;
        buffer[i] = lowLevel * l + midLevel * m + highLevel * h;
    }
    lp[0] = lp0;
    lp[1] = lp1;
    lp[2] = lp2;
    lp[3] = lp3;
    hp[0] = hp0;
    hp[1] = hp1;
    hp[2] = hp2;
    hp[3] = hp3;
    h1 = delayed1;
    h2 = delayed2;
    h3 = delayed3;
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
        return h1;
    case 9:
        return h2;
    case 10:
        return h3;
    default:
        return 0.0f;
    }
}

} // namespace dsp
