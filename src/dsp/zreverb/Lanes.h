#pragma once

#include <emmintrin.h>

namespace zreverb
{

// One sample of each of the two channel networks, side by side in the low lanes of an SSE register
// (channel 0 in lane 0, channel 1 in lane 1; the upper lanes carry whatever the same arithmetic makes of
// them, and nothing reads them; where two frames run side by side, the upper lanes carry the earlier frame).
// Every operation is the plain single-precision operation per lane, so a
// network running on lanes computes exactly what it would compute on one float per channel. Any thread;
// a plain value.
class Lanes
{
public:
    Lanes() : v(_mm_setzero_ps()) {}
    // The same value in both channels; implicit so that constants read as in scalar code. A plain
    // broadcast: clearing the unread upper lanes would cost an instruction on every coefficient.
    Lanes(float both) : v(_mm_set1_ps(both)) {} // NOLINT(google-explicit-constructor)
    Lanes(float channel0, float channel1) : v(_mm_set_ps(0.0f, 0.0f, channel1, channel0)) {}
    explicit Lanes(__m128 value) : v(value) {}

    // Two consecutive floats (channel 0, channel 1), at least 4-byte aligned.
    static Lanes Load(const float* pair)
    {
        return Lanes(_mm_unpacklo_ps(_mm_load_ss(pair), _mm_load_ss(pair + 1)));
    }
    // Two such pairs side by side, first in the low lanes.
    static Lanes LoadTwo(const float* first, const float* second)
    {
        const __m128 low = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)));
        return Lanes(_mm_loadh_pi(low, reinterpret_cast<const __m64*>(second)));
    }
    void Store(float* pair) const { Store(pair, pair + 1); }
    void Store(float* channel0, float* channel1) const
    {
        _mm_store_ss(channel0, v);
        _mm_store_ss(channel1, _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 0, 1)));
    }

    // Two packed frames, the one at the lower address in the low lanes.
    static Lanes LoadPair(const double* pair)
    {
        return Lanes(_mm_loadu_ps(reinterpret_cast<const float*>(pair)));
    }
    // Stored as two doubles rather than with _mm_storeu_ps, whose type may alias anything: the compiler then
    // knows that storing two samples changes no line head, offset or coefficient and keeps those in
    // registers across the loop.
    void StorePair(double* pair) const
    {
        *reinterpret_cast<DoublePair*>(pair) = DoublePair(_mm_castps_pd(v));
    }

    // Two single frames joined into one register, the later in the low lanes.
    static Lanes Join(Lanes earlier, Lanes later) { return Lanes(_mm_movelh_ps(later.v, earlier.v)); }
    // The two frames of a pair the other way round.
    Lanes SwappedFrames() const { return Lanes(_mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 0, 3, 2))); }
    // Two frames of one value each (both channels alike), the later in the low lanes.
    static Lanes Frames(float earlier, float later)
    {
        return Lanes(_mm_set_ps(earlier, earlier, later, later));
    }

    // Both channels packed into the bits of one double: delay lines keep their samples so, which moves them
    // with one load or store and tells the compiler that storing a sample changes no coefficient.
    static Lanes Unpack(const double& packed) { return Lanes(_mm_castpd_ps(_mm_load_sd(&packed))); }
    double Packed() const { return _mm_cvtsd_f64(_mm_castps_pd(v)); }

    // Channel 0 of a, channel 1 of b.
    static Lanes Straight(Lanes a, Lanes b)
    {
        const __m128 mixed = _mm_shuffle_ps(a.v, b.v, _MM_SHUFFLE(1, 1, 0, 0));
        return Lanes(_mm_shuffle_ps(mixed, _mm_setzero_ps(), _MM_SHUFFLE(0, 0, 2, 0)));
    }
    // Channel 1 of a, channel 0 of b.
    static Lanes Crossed(Lanes a, Lanes b)
    {
        const __m128 mixed = _mm_shuffle_ps(a.v, b.v, _MM_SHUFFLE(0, 0, 1, 1));
        return Lanes(_mm_shuffle_ps(mixed, _mm_setzero_ps(), _MM_SHUFFLE(0, 0, 2, 0)));
    }

    // Straight and Crossed on two frames side by side.
    static Lanes StraightPairs(Lanes a, Lanes b)
    {
        const __m128 sorted = _mm_shuffle_ps(a.v, b.v, _MM_SHUFFLE(3, 1, 2, 0));
        return Lanes(_mm_shuffle_ps(sorted, sorted, _MM_SHUFFLE(3, 1, 2, 0)));
    }
    static Lanes CrossedPairs(Lanes a, Lanes b)
    {
        const __m128 sorted = _mm_shuffle_ps(a.v, b.v, _MM_SHUFFLE(2, 0, 3, 1));
        return Lanes(_mm_shuffle_ps(sorted, sorted, _MM_SHUFFLE(3, 1, 2, 0)));
    }

    // Each channel below the threshold (a signed test) becomes +0; a NaN stays.
    Lanes ZeroBelow(float threshold) const
    {
        return Lanes(_mm_andnot_ps(_mm_cmplt_ps(v, _mm_set1_ps(threshold)), v));
    }

    __m128 Raw() const { return v; }

    float Channel(int c) const
    {
        alignas(16) float values[4];
        _mm_store_ps(values, v);
        return values[c & 1];
    }

    friend Lanes operator+(Lanes a, Lanes b) { return Lanes(_mm_add_ps(a.v, b.v)); }
    friend Lanes operator-(Lanes a, Lanes b) { return Lanes(_mm_sub_ps(a.v, b.v)); }
    friend Lanes operator*(Lanes a, Lanes b) { return Lanes(_mm_mul_ps(a.v, b.v)); }
    Lanes& operator+=(Lanes other) { return *this = *this + other; }
    Lanes& operator-=(Lanes other) { return *this = *this - other; }
    // Both channels equal (as floats compare).
    friend bool operator==(Lanes a, Lanes b) { return (_mm_movemask_ps(_mm_cmpeq_ps(a.v, b.v)) & 3) == 3; }
    friend bool operator!=(Lanes a, Lanes b) { return !(a == b); }

private:
    typedef double DoublePair __attribute__((vector_size(16), aligned(8)));

    __m128 v;
};

} // namespace zreverb
