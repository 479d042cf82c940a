#include "dsp/TenBandEQ.h"

#include <emmintrin.h>

namespace dsp
{

TenBandEQ::TenBandEQ(float rateHz) : rate(rateHz), left(MakeBands(rateHz)), right(MakeBands(rateHz))
{
    for (int pair = 0; pair < kBands; ++pair)
    {
        left[pair].UpdateCoefficients();
        right[pair].UpdateCoefficients();
    }
    UpdateSkippedBands();
}

std::array<CBiQuadFilter, TenBandEQ::kBands> TenBandEQ::MakeBands(float rateHz)
{
    return {CBiQuadFilter(kBiQuadLowShelf, 32.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadHighShelf, 16000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 63.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 125.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 250.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 500.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 1000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 2000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 4000.0f, 0.0f, rateHz),
            CBiQuadFilter(kBiQuadPeaking, 8000.0f, 0.0f, rateHz)};
}

void TenBandEQ::SetSampleRate(float rateHz)
{
    rate = rateHz;
    for (int pair = 0; pair < kBands; ++pair)
    {
        for (CBiQuadFilter* filter : {&left[pair], &right[pair]})
        {
            filter->SetSampleRate(rateHz);
            filter->ClearHistory();
            filter->UpdateCoefficients();
        }
    }
    UpdateSkippedBands();
}

int TenBandEQ::PairOfGainIndex(int gainIndex)
{
    // Gain index 0 is the 32 Hz shelf (pair 0), 9 the 16 kHz shelf (pair 1), 1..8 the peaks (pairs 2..9).
    if (gainIndex == 0)
    {
        return kPair32;
    }
    if (gainIndex == 9)
    {
        return kPair16k;
    }
    return gainIndex + 1;
}

bool TenBandEQ::SetBandGain(int gainIndex, float gainDb)
{
    if (gainIndex < 0 || gainIndex >= kBands)
    {
        return false;
    }
    const int pair = PairOfGainIndex(gainIndex);
    left[pair].SetGain(gainDb);
    left[pair].UpdateCoefficients();
    right[pair].SetGain(gainDb);
    right[pair].UpdateCoefficients();
    return true;
}

float TenBandEQ::BandGain(int gainIndex) const
{
    if (gainIndex < 0 || gainIndex >= kBands)
    {
        return 0.0f;
    }
    return left[PairOfGainIndex(gainIndex)].Gain();
}

namespace
{
// One band of both channels: left in lane 0, right in lane 1 (the upper lanes work on zeros). Each lane
// performs exactly the scalar filter's operations in the scalar filter's order.
struct LanePair
{
    __m128 b0, b1, b2, a1, a2;
    __m128 x1, x2, y1, y2;
};

inline __m128 Lanes(float left, float right)
{
    return _mm_unpacklo_ps(_mm_set_ss(left), _mm_set_ss(right));
}

inline LanePair Load(const CBiQuadFilter& left, const CBiQuadFilter& right)
{
    const CBiQuadFilter::Coefficients l = left.GetCoefficients();
    const CBiQuadFilter::Coefficients r = right.GetCoefficients();
    const CBiQuadFilter::History lh = left.GetHistory();
    const CBiQuadFilter::History rh = right.GetHistory();
    return {Lanes(l.b0, r.b0),   Lanes(l.b1, r.b1),   Lanes(l.b2, r.b2),
            Lanes(l.a1, r.a1),   Lanes(l.a2, r.a2),   Lanes(lh.x1, rh.x1),
            Lanes(lh.x2, rh.x2), Lanes(lh.y1, rh.y1), Lanes(lh.y2, rh.y2)};
}

// Two bands of both channels: the first band in lanes 0 and 1, the second in lanes 2 and 3.
inline LanePair Load(const CBiQuadFilter& left0, const CBiQuadFilter& right0, const CBiQuadFilter& left1,
                     const CBiQuadFilter& right1)
{
    const LanePair first = Load(left0, right0);
    const LanePair second = Load(left1, right1);
    return {_mm_movelh_ps(first.b0, second.b0), _mm_movelh_ps(first.b1, second.b1),
            _mm_movelh_ps(first.b2, second.b2), _mm_movelh_ps(first.a1, second.a1),
            _mm_movelh_ps(first.a2, second.a2), _mm_movelh_ps(first.x1, second.x1),
            _mm_movelh_ps(first.x2, second.x2), _mm_movelh_ps(first.y1, second.y1),
            _mm_movelh_ps(first.y2, second.y2)};
}

inline float Lane(__m128 v, int lane)
{
    alignas(16) float values[4];
    _mm_store_ps(values, v);
    return values[lane];
}

// The history of lanes first and first + 1 back into the left and the right filter.
inline void Store(const LanePair& band, CBiQuadFilter& left, CBiQuadFilter& right, int first = 0)
{
    for (int lane = first; lane < first + 2; ++lane)
    {
        (lane == first ? left : right)
            .SetHistory({Lane(band.x1, lane), Lane(band.x2, lane), Lane(band.y1, lane), Lane(band.y2, lane)});
    }
}

// The history of the left and the right filter into lanes 2 half and 2 half + 1.
inline void LoadHistory(LanePair& band, int half, const CBiQuadFilter& left, const CBiQuadFilter& right)
{
    const LanePair filters = Load(left, right);
    const auto into = [half](__m128 lanes, __m128 other) {
        return half == 0 ? _mm_shuffle_ps(lanes, other, _MM_SHUFFLE(3, 2, 1, 0))
                         : _mm_movelh_ps(other, lanes);
    };
    band.x1 = into(filters.x1, band.x1);
    band.x2 = into(filters.x2, band.x2);
    band.y1 = into(filters.y1, band.y1);
    band.y2 = into(filters.y2, band.y2);
}

// CBiQuadFilter::Process on every lane, the zero-or-denormal flush included, with the history given.
inline __m128 Filter(const LanePair& band, __m128 x, __m128 x1, __m128 x2, __m128 y1, __m128 y2)
{
    __m128 y = _mm_mul_ps(band.b0, x);
    y = _mm_add_ps(y, _mm_mul_ps(band.b1, x1));
    y = _mm_add_ps(y, _mm_mul_ps(band.b2, x2));
    y = _mm_sub_ps(y, _mm_mul_ps(band.a1, y1));
    y = _mm_sub_ps(y, _mm_mul_ps(band.a2, y2));
    const __m128i exponent = _mm_and_si128(_mm_castps_si128(y), _mm_set1_epi32(0x7F800000));
    return _mm_andnot_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(exponent, _mm_setzero_si128())), y);
}

inline void Step(LanePair& band, __m128 x)
{
    const __m128 y = Filter(band, x, band.x1, band.x2, band.y1, band.y2);
    band.x2 = band.x1;
    band.x1 = x;
    band.y2 = band.y1;
    band.y1 = y;
}

// Step that leaves the input in x2 and the output in y2, so that the history's halves trade roles; the
// next call swaps them back. Two calls make two Steps without copying the history, which with more
// history than registers would mean copying memory.
inline void StepInPlace(const LanePair& band, __m128 x, __m128 x1, __m128& x2, __m128 y1, __m128& y2)
{
    y2 = Filter(band, x, x1, x2, y1, y2);
    x2 = x;
}
} // namespace

int TenBandEQ::Chain(int (&pairs)[kBands]) const
{
    int count = 0;
    for (int pair = kFirstPeak; pair < kFirstPeak + kAlwaysRunPeaks; ++pair)
    {
        pairs[count++] = pair;
    }
    if (run4k)
    {
        pairs[count++] = kPair4k;
    }
    if (run8k)
    {
        pairs[count++] = kPair8k;
    }
    if (run16k)
    {
        pairs[count++] = kPair16k;
    }
    pairs[count++] = kPair32;
    return count;
}

void TenBandEQ::ProcessBlock(float* leftBuffer, float* rightBuffer, int frames)
{
    if (frames <= 0)
    {
        return;
    }
    int pairs[kBands];
    switch (Chain(pairs))
    {
    case 7:
        ProcessChain<7>(pairs, leftBuffer, rightBuffer, frames);
        break;
    case 8:
        ProcessChain<8>(pairs, leftBuffer, rightBuffer, frames);
        break;
    case 9:
        ProcessChain<9>(pairs, leftBuffer, rightBuffer, frames);
        break;
    default:
        ProcessChain<10>(pairs, leftBuffer, rightBuffer, frames);
        break;
    }
}

template <int N>
void TenBandEQ::ProcessChain(const int* pairs, float* leftBuffer, float* rightBuffer, int frames)
{
    // At step s band k filters frame s - 2k: its input, the output band k - 1 gave two steps before, is
    // that band's y2, long ready, so that a step waits only on the bands' own recursions.
    constexpr int kDelay = 2 * (N - 1);
    if (frames <= 2 * N)
    {
        // Too short to fill and drain the wavefront.
        for (int i = 0; i < frames; ++i)
        {
            ProcessSample(leftBuffer[i], rightBuffer[i]);
        }
        return;
    }
    // Band k sits in quad k % kQuads, in the low lanes for k < kQuads and in the high lanes after, so that
    // each quad's input is the previous quad's output as it stands; quad 0's high lanes take the last low
    // band's. An odd chain leaves the last quad's high lanes idle on zero coefficients.
    constexpr int kQuads = (N + 1) / 2;
    constexpr int kLastQuad = N - 1 - kQuads; // band N - 1, in the high lanes
    LanePair quads[kQuads];
    for (int q = 0; q < kQuads; ++q)
    {
        const int low = pairs[q];
        quads[q] = q + kQuads < N
                       ? Load(left[low], right[low], left[pairs[q + kQuads]], right[pairs[q + kQuads]])
                       : Load(left[low], right[low]);
    }
    const auto frame = [&](int s) { return Lanes(leftBuffer[s], rightBuffer[s]); };
    const auto output = [&](int s, __m128 out)
    {
        _mm_store_ss(leftBuffer + s - kDelay, _mm_movehl_ps(out, out));
        _mm_store_ss(rightBuffer + s - kDelay, _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 3, 3, 3)));
    };
    const auto step = [&](int s, __m128 in)
    {
        const __m128 first = _mm_movelh_ps(in, quads[kQuads - 1].y2);
        for (int q = kQuads - 1; q > 0; --q)
        {
            Step(quads[q], quads[q - 1].y2);
        }
        Step(quads[0], first);
        if (s >= kDelay)
        {
            output(s, quads[kLastQuad].y1);
        }
    };

    // Filling: band k starts from its own history at step 2k; before, it filters whatever reaches it,
    // which no band and no output uses.
    int s = 0;
#pragma GCC unroll 1
    for (int k = 0; k < N; ++k, s += 2)
    {
        LoadHistory(quads[k % kQuads], k / kQuads, left[pairs[k]], right[pairs[k]]);
        step(s, frame(s));
        step(s + 1, frame(s + 1));
    }
    // Every band runs until the first band's last frame, two steps at a time (see StepInPlace).
    for (; s + 1 < frames - 1; s += 2)
    {
        const __m128 first = _mm_movelh_ps(frame(s), quads[kQuads - 1].y2);
#pragma GCC unroll 5
        for (int q = kQuads - 1; q >= 0; --q)
        {
            LanePair& quad = quads[q];
            StepInPlace(quad, q > 0 ? quads[q - 1].y2 : first, quad.x1, quad.x2, quad.y1, quad.y2);
        }
        output(s, quads[kLastQuad].y2);
        const __m128 second = _mm_movelh_ps(frame(s + 1), quads[kQuads - 1].y1);
#pragma GCC unroll 5
        for (int q = kQuads - 1; q >= 0; --q)
        {
            LanePair& quad = quads[q];
            StepInPlace(quad, q > 0 ? quads[q - 1].y1 : second, quad.x2, quad.x1, quad.y2, quad.y1);
        }
        output(s + 1, quads[kLastQuad].y1);
    }
    if (s < frames - 1)
    {
        step(s, frame(s));
        ++s;
    }
    // Draining: band k's history is kept after its last frame, at step frames - 1 + 2k; after, it filters
    // whatever reaches it, which no band and no output uses.
#pragma GCC unroll 1
    for (int k = 0; k < N; ++k, s += 2)
    {
        step(s, k == 0 ? frame(s) : _mm_setzero_ps());
        Store(quads[k % kQuads], left[pairs[k]], right[pairs[k]], 2 * (k / kQuads));
        if (k + 1 < N)
        {
            step(s + 1, _mm_setzero_ps());
        }
    }
}

void TenBandEQ::UpdateSkippedBands()
{
    const float nyquist = rate / 2.0f;
    run4k = nyquist > 4000.0f;
    run8k = nyquist > 8000.0f;
    run16k = nyquist > 16000.0f;
}

} // namespace dsp
