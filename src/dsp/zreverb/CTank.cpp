#include "dsp/zreverb/CTank.h"

#include <emmintrin.h>

namespace zreverb
{

namespace
{
uint32_t ToSamples(float seconds, float rate)
{
    // Lengths are defined as trunc(x + 0.5); every x here is positive.
    return static_cast<uint32_t>(seconds * rate + 0.5f); // NOLINT(bugprone-incorrect-roundings)
}
} // namespace

ReverbResult CTank::Create(const TankParameters& block)
{
    if (!(block.rate > 0.0f))
    {
        return kReverbOutOfRange;
    }
    rate = block.rate;
    length1 = ToSamples(block.line1, rate);
    length2 = ToSamples(block.line2, rate);
    for (int i = 0; i < 7; ++i)
    {
        tapTime[i] = block.taps[i];
        tap[i] = ToSamples(block.taps[i], rate);
    }
    secondTap2 = CFracDelay::TapAt(CFracDelay::At(rate * tapTime[2]));
    secondTap5 = CFracDelay::TapAt(CFracDelay::At(rate * tapTime[5]));
    decay = block.decay;
    tapGain = 0.7f;
    damping = COnePole(block.dampingA, 1.0f - block.dampingA);
    ReverbResult result = line1.Create(static_cast<uint32_t>(static_cast<float>(length1) + 1.5f));
    if (result == kReverbOk)
    {
        result = line2.Create(static_cast<uint32_t>(static_cast<float>(length2) + 1.5f));
    }
    if (result == kReverbOk)
    {
        result = modulated.Create(rate, block.modulatedDelay, block.modulatedDepth,
                                  block.modulatedLfoFrequency, block.modulatedCoefficient);
    }
    if (result == kReverbOk)
    {
        result = second.Create(rate, block.secondDelay, block.secondDepth, block.secondLfoFrequency,
                               block.secondCoefficient);
    }
    return result;
}

static_assert(sizeof(CFracDelay::Position) == 2 * sizeof(float), "a position pair fills one SSE register");

void CTank::Prepare(CTank& a, CTank& b, int frames)
{
    CAllPass* const allpasses[4] = {&a.modulated, &a.second, &b.modulated, &b.second};
    alignas(16) float k[4];
    alignas(16) float co[4];
    alignas(16) float si[4];
    alignas(16) float sign[4];
    alignas(16) uint32_t sine[4];
    alignas(16) float depth[4];
    alignas(16) float delay[4];
    alignas(16) float rate[4];
    for (int lane = 0; lane < 4; ++lane)
    {
        const CAllPass& allpass = *allpasses[lane];
        // Without a depth NextDelay leaves the LFO alone; that rare case runs tank by tank.
        if (allpass.Depth() == 0.0f)
        {
            a.Prepare(frames);
            b.Prepare(frames);
            return;
        }
        const CSineLFO& lfo = allpass.Lfo();
        k[lane] = lfo.K();
        co[lane] = lfo.Cosine();
        si[lane] = lfo.Sine();
        sign[lane] = lfo.Sign();
        sine[lane] = lfo.SineSelected() ? ~0u : 0u;
        depth[lane] = allpass.Depth();
        delay[lane] = allpass.Delay();
        rate[lane] = allpass.Rate();
    }
    const __m128 kv = _mm_load_ps(k);
    const __m128 signv = _mm_load_ps(sign);
    const __m128 sinev = _mm_castsi128_ps(_mm_load_si128(reinterpret_cast<const __m128i*>(sine)));
    const __m128 depthv = _mm_load_ps(depth);
    const __m128 delayv = _mm_load_ps(delay);
    const __m128 ratev = _mm_load_ps(rate);
    const __m128 one = _mm_set1_ps(1.0f);
    __m128 cov = _mm_load_ps(co);
    __m128 siv = _mm_load_ps(si);
    for (int i = 0; i < frames; ++i)
    {
        cov = _mm_sub_ps(cov, _mm_mul_ps(kv, siv));
        siv = _mm_add_ps(siv, _mm_mul_ps(kv, cov));
        const __m128 value = _mm_mul_ps(_mm_or_ps(_mm_and_ps(sinev, siv), _mm_andnot_ps(sinev, cov)), signv);
        const __m128 d = _mm_mul_ps(ratev, _mm_add_ps(_mm_mul_ps(value, depthv), delayv));
        const __m128 shifted = _mm_add_ps(d, one);
        const __m128i whole = _mm_cvttps_epi32(shifted);
        const __m128 fraction = _mm_sub_ps(shifted, _mm_cvtepi32_ps(whole));
        // Lanes 0 and 1 are tank a's two positions, lanes 2 and 3 tank b's: {whole, fraction} each.
        _mm_store_ps(reinterpret_cast<float*>(a.positions[i]),
                     _mm_unpacklo_ps(_mm_castsi128_ps(whole), fraction));
        _mm_store_ps(reinterpret_cast<float*>(b.positions[i]),
                     _mm_unpackhi_ps(_mm_castsi128_ps(whole), fraction));
    }
    _mm_store_ps(co, cov);
    _mm_store_ps(si, siv);
    for (int lane = 0; lane < 4; ++lane)
    {
        allpasses[lane]->Lfo().SetState(co[lane], si[lane]);
    }
}

void CTank::SetCoefficients(float modulatedCoefficient, float secondCoefficient)
{
    modulated.SetCoefficient(modulatedCoefficient);
    second.SetCoefficient(secondCoefficient);
}

void CTank::SetDepths(float modulatedSeconds, float secondSeconds)
{
    modulated.SetDepth(modulatedSeconds);
    second.SetDepth(secondSeconds);
}

void CTank::Clear()
{
    line1.Clear();
    line2.Clear();
    modulated.Clear();
    second.Clear();
    damping.Clear();
}

} // namespace zreverb
