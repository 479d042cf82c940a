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

// CBiQuadFilter::Process on both lanes, the zero-or-denormal flush included.
inline __m128 Step(LanePair& band, __m128 x)
{
    __m128 y = _mm_mul_ps(band.b0, x);
    y = _mm_add_ps(y, _mm_mul_ps(band.b1, band.x1));
    y = _mm_add_ps(y, _mm_mul_ps(band.b2, band.x2));
    y = _mm_sub_ps(y, _mm_mul_ps(band.a1, band.y1));
    y = _mm_sub_ps(y, _mm_mul_ps(band.a2, band.y2));
    const __m128i exponent = _mm_and_si128(_mm_castps_si128(y), _mm_set1_epi32(0x7F800000));
    y = _mm_andnot_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(exponent, _mm_setzero_si128())), y);
    band.x2 = band.x1;
    band.x1 = x;
    band.y2 = band.y1;
    band.y1 = y;
    return y;
}

inline __m128 Select(__m128 mask, __m128 chosen, __m128 other)
{
    return _mm_or_ps(_mm_and_ps(mask, chosen), _mm_andnot_ps(mask, other));
}

// Step on the lanes of mask only; the others keep their history.
inline void MaskedStep(LanePair& band, __m128 x, __m128 mask)
{
    const LanePair before = band;
    Step(band, x);
    band.x2 = Select(mask, band.x2, before.x2);
    band.x1 = Select(mask, band.x1, before.x1);
    band.y2 = Select(mask, band.y2, before.y2);
    band.y1 = Select(mask, band.y1, before.y1);
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
        ProcessChainInQuads<4>(pairs, leftBuffer, rightBuffer, frames);
        break;
    case 9:
        ProcessChain<9>(pairs, leftBuffer, rightBuffer, frames);
        break;
    default:
        ProcessChainInQuads<5>(pairs, leftBuffer, rightBuffer, frames);
        break;
    }
}

template <int Q>
void TenBandEQ::ProcessChainInQuads(const int* pairs, float* leftBuffer, float* rightBuffer, int frames)
{
    constexpr int kChain = 2 * Q;
    LanePair quads[Q];
    for (int q = 0; q < Q; ++q)
    {
        const int first = pairs[2 * q];
        const int second = pairs[2 * q + 1];
        quads[q] = Load(left[first], right[first], left[second], right[second]);
    }
    const __m128 lowHalf = _mm_castsi128_ps(_mm_set_epi32(0, 0, -1, -1));
    // At step s band k filters frame s - k. A quad's input is the output its first band's predecessor and
    // its own first band gave at step s - 1, that is their y1 before this step.
    const int steps = frames + kChain - 1;
    for (int s = 0; s < steps; ++s)
    {
        const __m128 frame = s < frames ? Lanes(leftBuffer[s], rightBuffer[s]) : _mm_setzero_ps();
        __m128 in[Q];
        in[0] = _mm_movelh_ps(frame, quads[0].y1);
        for (int q = 1; q < Q; ++q)
        {
            in[q] = _mm_shuffle_ps(quads[q - 1].y1, quads[q].y1, _MM_SHUFFLE(1, 0, 3, 2));
        }
        if (s >= kChain - 1 && s < frames)
        {
#pragma GCC unroll 5
            for (int q = 0; q < Q; ++q)
            {
                Step(quads[q], in[q]);
            }
        }
        else
        {
            // Filling and draining the wavefront: only the bands whose frame lies inside the block.
            for (int q = 0; q < Q; ++q)
            {
                const bool firstRuns = s - 2 * q >= 0 && s - 2 * q < frames;
                const bool secondRuns = s - 2 * q - 1 >= 0 && s - 2 * q - 1 < frames;
                const __m128 mask =
                    Select(lowHalf, firstRuns ? lowHalf : _mm_setzero_ps(),
                           secondRuns ? _mm_castsi128_ps(_mm_set1_epi32(-1)) : _mm_setzero_ps());
                MaskedStep(quads[q], in[q], mask);
            }
        }
        const int done = s - (kChain - 1);
        if (done >= 0 && done < frames)
        {
            const __m128 out = quads[Q - 1].y1;
            _mm_store_ss(leftBuffer + done, _mm_movehl_ps(out, out));
            _mm_store_ss(rightBuffer + done, _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 3, 3, 3)));
        }
    }
    for (int q = 0; q < Q; ++q)
    {
        const int first = pairs[2 * q];
        const int second = pairs[2 * q + 1];
        Store(quads[q], left[first], right[first], 0);
        Store(quads[q], left[second], right[second], 2);
    }
}

template <int N>
void TenBandEQ::ProcessChain(const int* pairs, float* leftBuffer, float* rightBuffer, int frames)
{
    LanePair bands[N];
    for (int k = 0; k < N; ++k)
    {
        bands[k] = Load(left[pairs[k]], right[pairs[k]]);
    }
    // At step s band k filters frame s - k; in[k] is its input, the output band k - 1 gave at step s - 1.
    // Bands run last to first within a step, so each takes its input before the band before it replaces it.
    __m128 in[N];
    for (__m128& input : in)
    {
        input = _mm_setzero_ps();
    }
    const int steps = frames + N - 1;
    for (int s = 0; s < steps; ++s)
    {
        if (s < frames)
        {
            in[0] = Lanes(leftBuffer[s], rightBuffer[s]);
        }
        if (s >= N - 1 && s < frames)
        {
            const __m128 out = Step(bands[N - 1], in[N - 1]);
            _mm_store_ss(leftBuffer + s - (N - 1), out);
            _mm_store_ss(rightBuffer + s - (N - 1), _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 2, 0, 1)));
#pragma GCC unroll 10
            for (int k = N - 2; k >= 0; --k)
            {
                in[k + 1] = Step(bands[k], in[k]);
            }
            continue;
        }
        // Filling and draining the wavefront: only the bands whose frame lies inside the block.
        for (int k = N - 1; k >= 0; --k)
        {
            const int frame = s - k;
            if (frame < 0 || frame >= frames)
            {
                continue;
            }
            const __m128 out = Step(bands[k], in[k]);
            if (k + 1 < N)
            {
                in[k + 1] = out;
                continue;
            }
            _mm_store_ss(leftBuffer + frame, out);
            _mm_store_ss(rightBuffer + frame, _mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 2, 0, 1)));
        }
    }
    for (int k = 0; k < N; ++k)
    {
        Store(bands[k], left[pairs[k]], right[pairs[k]]);
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
