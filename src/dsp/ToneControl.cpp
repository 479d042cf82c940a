#include "dsp/ToneControl.h"

#include <cmath>

#include <emmintrin.h>

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
    if (IsUnity() || buffer == nullptr)
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

namespace
{
inline __m128 Lanes(float left, float right)
{
    return _mm_unpacklo_ps(_mm_set_ss(left), _mm_set_ss(right));
}

inline float Lane(__m128 v, int lane)
{
    alignas(16) float values[4];
    _mm_store_ps(values, v);
    return values[lane];
}
} // namespace

void ToneControl::ProcessPair(ToneControl& left, ToneControl& right, float* leftBuffer, float* rightBuffer,
                              int frames)
{
    if (left.IsUnity() || right.IsUnity() || leftBuffer == nullptr || rightBuffer == nullptr)
    {
        left.Process(leftBuffer, frames);
        right.Process(rightBuffer, frames);
        return;
    }
    // The two cascades do the same operations with different coefficients, so one register holds the low
    // cascade of left and right in lanes 0-1 and the high cascade in lanes 2-3; the mix runs in lanes 0-1.
    const __m128 split = _mm_setr_ps(left.lf, right.lf, left.hf, right.hf);
    const __m128 lowLevel = Lanes(left.lowGain, right.lowGain);
    const __m128 midLevel = Lanes(left.midGain, right.midGain);
    const __m128 highLevel = Lanes(left.highGain, right.highGain);
    const __m128 antiDenormal = _mm_set1_ps(kAntiDenormal);
    __m128 pole[4];
    for (int i = 0; i < 4; ++i)
    {
        pole[i] = _mm_setr_ps(left.lp[i], right.lp[i], left.hp[i], right.hp[i]);
    }
    __m128 delayed1 = Lanes(left.h1, right.h1);
    __m128 delayed2 = Lanes(left.h2, right.h2);
    __m128 delayed3 = Lanes(left.h3, right.h3);
    for (int i = 0; i < frames; ++i)
    {
        const __m128 x = Lanes(leftBuffer[i], rightBuffer[i]);
        const __m128 input = _mm_movelh_ps(x, x);
        pole[0] =
            _mm_add_ps(pole[0], _mm_add_ps(_mm_mul_ps(split, _mm_sub_ps(input, pole[0])), antiDenormal));
        pole[1] = _mm_add_ps(pole[1], _mm_mul_ps(split, _mm_sub_ps(pole[0], pole[1])));
        pole[2] = _mm_add_ps(pole[2], _mm_mul_ps(split, _mm_sub_ps(pole[1], pole[2])));
        pole[3] = _mm_add_ps(pole[3], _mm_mul_ps(split, _mm_sub_ps(pole[2], pole[3])));
        const __m128 l = pole[3];
        const __m128 h = _mm_sub_ps(delayed3, _mm_movehl_ps(pole[3], pole[3]));
        const __m128 m = _mm_sub_ps(delayed3, _mm_add_ps(h, l));
        delayed3 = delayed2;
        delayed2 = delayed1;
        delayed1 = x;
        const __m128 out = _mm_add_ps(_mm_add_ps(_mm_mul_ps(lowLevel, l), _mm_mul_ps(midLevel, m)),
                                      _mm_mul_ps(highLevel, h));
        _mm_store_ss(leftBuffer + i, out);
        _mm_store_ss(rightBuffer + i, _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 2, 0, 1)));
    }
    for (int i = 0; i < 4; ++i)
    {
        left.lp[i] = Lane(pole[i], 0);
        right.lp[i] = Lane(pole[i], 1);
        left.hp[i] = Lane(pole[i], 2);
        right.hp[i] = Lane(pole[i], 3);
    }
    left.h1 = Lane(delayed1, 0);
    right.h1 = Lane(delayed1, 1);
    left.h2 = Lane(delayed2, 0);
    right.h2 = Lane(delayed2, 1);
    left.h3 = Lane(delayed3, 0);
    right.h3 = Lane(delayed3, 1);
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
