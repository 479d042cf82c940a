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
// Two frames of one channel; the host's buffers need not be 8-byte aligned.
inline __m128 TwoFrames(const float* samples)
{
    return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples)));
}

// One frame through both cascades, the input in lanes 0-1 and again in lanes 2-3.
inline void Cascade(__m128 (&pole)[4], __m128 split, __m128 antiDenormal, __m128 input)
{
    pole[0] = _mm_add_ps(pole[0], _mm_add_ps(_mm_mul_ps(split, _mm_sub_ps(input, pole[0])), antiDenormal));
    pole[1] = _mm_add_ps(pole[1], _mm_mul_ps(split, _mm_sub_ps(pole[0], pole[1])));
    pole[2] = _mm_add_ps(pole[2], _mm_mul_ps(split, _mm_sub_ps(pole[1], pole[2])));
    pole[3] = _mm_add_ps(pole[3], _mm_mul_ps(split, _mm_sub_ps(pole[2], pole[3])));
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
    // cascade of left and right in lanes 0-1 and the high cascade in lanes 2-3. The cascades recur per
    // frame, but the mix does not: it takes two frames at once, as (left, right, next left, next right).
    const __m128 split = _mm_setr_ps(left.lf, right.lf, left.hf, right.hf);
    const __m128 lowLevel = _mm_setr_ps(left.lowGain, right.lowGain, left.lowGain, right.lowGain);
    const __m128 midLevel = _mm_setr_ps(left.midGain, right.midGain, left.midGain, right.midGain);
    const __m128 highLevel = _mm_setr_ps(left.highGain, right.highGain, left.highGain, right.highGain);
    const __m128 antiDenormal = _mm_set1_ps(kAntiDenormal);
    __m128 pole[4];
    for (int i = 0; i < 4; ++i)
    {
        pole[i] = _mm_setr_ps(left.lp[i], right.lp[i], left.hp[i], right.hp[i]);
    }
    // The frame pairs before the current one, in mix order: the input three frames back reaches into both.
    __m128 previous = _mm_setr_ps(left.h2, right.h2, left.h1, right.h1);
    __m128 older = _mm_setr_ps(0.0f, 0.0f, left.h3, right.h3);
    int i = 0;
    for (; i + 1 < frames; i += 2)
    {
        const __m128 x = _mm_unpacklo_ps(TwoFrames(leftBuffer + i), TwoFrames(rightBuffer + i));
        Cascade(pole, split, antiDenormal, _mm_movelh_ps(x, x));
        const __m128 first = pole[3];
        Cascade(pole, split, antiDenormal, _mm_movehl_ps(x, x));
        const __m128 l = _mm_movelh_ps(first, pole[3]);
        const __m128 delayed3 = _mm_shuffle_ps(older, previous, _MM_SHUFFLE(1, 0, 3, 2));
        const __m128 h = _mm_sub_ps(delayed3, _mm_movehl_ps(pole[3], first));
        const __m128 m = _mm_sub_ps(delayed3, _mm_add_ps(h, l));
        const __m128 out = _mm_add_ps(_mm_add_ps(_mm_mul_ps(lowLevel, l), _mm_mul_ps(midLevel, m)),
                                      _mm_mul_ps(highLevel, h));
        const __m128 sorted = _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 1, 2, 0));
        _mm_storel_pi(reinterpret_cast<__m64*>(leftBuffer + i), sorted);
        _mm_storeh_pi(reinterpret_cast<__m64*>(rightBuffer + i), sorted);
        older = previous;
        previous = x;
    }
    for (int p = 0; p < 4; ++p)
    {
        left.lp[p] = Lane(pole[p], 0);
        right.lp[p] = Lane(pole[p], 1);
        left.hp[p] = Lane(pole[p], 2);
        right.hp[p] = Lane(pole[p], 3);
    }
    left.h1 = Lane(previous, 2);
    right.h1 = Lane(previous, 3);
    left.h2 = Lane(previous, 0);
    right.h2 = Lane(previous, 1);
    left.h3 = Lane(older, 2);
    right.h3 = Lane(older, 3);
    // The last frame of an odd block goes through each channel's own filter.
    if (i < frames)
    {
        left.Process(leftBuffer + i, 1);
        right.Process(rightBuffer + i, 1);
    }
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
