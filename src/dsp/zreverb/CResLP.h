#pragma once

#include "dsp/zreverb/PackedLanes.h"

#include <cstdint>

namespace zreverb
{

// Four-pole resonant low-pass on both channels with its cutoff looked up per sample in a ten-step table.
// The 1e-25 offsets keep every stage out of denormals during silence.
class CResLP
{
public:
    // What one sample's cutoff and resonance make of the filter; the same for both channels, so it is
    // worked out once, ahead of the samples it serves.
    struct Tuning
    {
        float k;         // 1 - g
        float feedback;  // (3.26 - 0.4 g^4) q
        float inputGain; // 0.350127 g^4
    };

    // The tunings of a run of frames, each part in an array of its own, so that the parts of four frames
    // worked out side by side are stored as they stand.
    struct Tunings
    {
        static constexpr int kFrames = 64;

        Tuning At(int i) const { return Tuning{k[i], feedback[i], inputGain[i]}; }
        void Set(int i, const Tuning& tuning)
        {
            k[i] = tuning.k;
            feedback[i] = tuning.feedback;
            inputGain[i] = tuning.inputGain;
        }

        alignas(16) float k[kFrames];
        alignas(16) float feedback[kFrames];
        alignas(16) float inputGain[kFrames];
    };

    // fc is the normalised cutoff (1.0 = half the rate); resonance 0..4.
    static Tuning Tune(float fc, float resonance);
    // Tune of four cutoffs at once in SSE lanes, each lane doing Tune's operations in their order; sets
    // frames first to first + 3.
    static void Tune4(const float* fc, float resonance, Tunings& tunings, int first);

    Lanes Process(Lanes in, const Tuning& tuning)
    {
        Lanes x = (in - tuning.feedback * Lanes(s[3])) * tuning.inputGain;
        for (int stage = 0; stage < 4; ++stage)
        {
            const Lanes y = x + 0.3f * Lanes(prev[stage]) + tuning.k * Lanes(s[stage]) + kTiny;
            s[stage] = y;
            prev[stage] = x;
            x = y;
        }
        const Lanes y = x * 0.9999f * outputGain + kTiny;
        output = y;
        return y;
    }
    Lanes Process(Lanes in, float fc, float resonance) { return Process(in, Tune(fc, resonance)); }

    Lanes StageOutput(int stage) const { return s[stage]; }
    Lanes LastOutput() const { return output; }

private:
    static constexpr float kTiny = 1e-25f;
    static constexpr float kCutoffTable[11] = {0.0015f, 0.27f,   0.4802f, 0.6495f, 0.7906f, 0.9018f,
                                               0.9979f, 1.0765f, 1.1156f, 1.1378f, 1.16f};
    // n / 10 in single precision for each step, so that no division runs per sample (the same rounding).
    static constexpr float kStepStarts[10] = {0.0f / 10.0f, 1.0f / 10.0f, 2.0f / 10.0f, 3.0f / 10.0f,
                                              4.0f / 10.0f, 5.0f / 10.0f, 6.0f / 10.0f, 7.0f / 10.0f,
                                              8.0f / 10.0f, 9.0f / 10.0f};

    // T[n + 1] - T[n], the same single-precision differences Tune forms.
    static constexpr float kSlopes[10] = {
        kCutoffTable[1] - kCutoffTable[0], kCutoffTable[2] - kCutoffTable[1],
        kCutoffTable[3] - kCutoffTable[2], kCutoffTable[4] - kCutoffTable[3],
        kCutoffTable[5] - kCutoffTable[4], kCutoffTable[6] - kCutoffTable[5],
        kCutoffTable[7] - kCutoffTable[6], kCutoffTable[8] - kCutoffTable[7],
        kCutoffTable[9] - kCutoffTable[8], kCutoffTable[10] - kCutoffTable[9]};

    PackedLanes prev[4];
    PackedLanes s[4];
    PackedLanes output;
    float outputGain = 1.0f;
};

inline CResLP::Tuning CResLP::Tune(float fc, float resonance)
{
    const float q = resonance * 0.25f;
    int n = static_cast<int>(static_cast<double>(fc) * 10.0);
    // A cutoff at or beyond the table's ends interpolates from the outermost step instead of reading past it.
    if (n < 0)
    {
        n = 0;
    }
    else if (n > 9)
    {
        n = 9;
    }
    const float g = kCutoffTable[n] + (fc - kStepStarts[n]) * 10.0f * (kCutoffTable[n + 1] - kCutoffTable[n]);
    const float g4 = g * g * g * g;
    return Tuning{1.0f - g, (3.26f - 0.4f * g4) * q + kTiny, 0.350127f * g4 + kTiny};
}

inline void CResLP::Tune4(const float* fc, float resonance, Tunings& tunings, int first)
{
    const __m128 q = _mm_set1_ps(resonance * 0.25f);
    const __m128 cutoff = _mm_loadu_ps(fc);
    const __m128d ten = _mm_set1_pd(10.0);
    const __m128i low = _mm_cvttpd_epi32(_mm_mul_pd(_mm_cvtps_pd(cutoff), ten));
    const __m128i high = _mm_cvttpd_epi32(_mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(cutoff, cutoff)), ten));
    __m128i n = _mm_unpacklo_epi64(low, high);
    n = _mm_andnot_si128(_mm_srai_epi32(n, 31), n); // below 0 -> 0
    const __m128i nine = _mm_set1_epi32(9);
    const __m128i above = _mm_cmpgt_epi32(n, nine);
    n = _mm_or_si128(_mm_andnot_si128(above, n), _mm_and_si128(above, nine));
    alignas(16) int32_t steps[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(steps), n);
    const __m128 table = _mm_setr_ps(kCutoffTable[steps[0]], kCutoffTable[steps[1]], kCutoffTable[steps[2]],
                                     kCutoffTable[steps[3]]);
    const __m128 starts = _mm_setr_ps(kStepStarts[steps[0]], kStepStarts[steps[1]], kStepStarts[steps[2]],
                                      kStepStarts[steps[3]]);
    const __m128 slopes =
        _mm_setr_ps(kSlopes[steps[0]], kSlopes[steps[1]], kSlopes[steps[2]], kSlopes[steps[3]]);
    const __m128 g =
        _mm_add_ps(table, _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(cutoff, starts), _mm_set1_ps(10.0f)), slopes));
    const __m128 g4 = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(g, g), g), g);
    const __m128 tiny = _mm_set1_ps(kTiny);
    _mm_storeu_ps(tunings.k + first, _mm_sub_ps(_mm_set1_ps(1.0f), g));
    _mm_storeu_ps(
        tunings.feedback + first,
        _mm_add_ps(_mm_mul_ps(_mm_sub_ps(_mm_set1_ps(3.26f), _mm_mul_ps(_mm_set1_ps(0.4f), g4)), q), tiny));
    _mm_storeu_ps(tunings.inputGain + first, _mm_add_ps(_mm_mul_ps(_mm_set1_ps(0.350127f), g4), tiny));
}

} // namespace zreverb
