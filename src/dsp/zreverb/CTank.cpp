#include "dsp/zreverb/CTank.h"

#include <emmintrin.h>
#include <initializer_list>

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
    if (result != kReverbOk)
    {
        return result;
    }
    secondTap2 = second.Line().TapAt(CFracDelay::At(rate * tapTime[2]));
    secondTap5 = second.Line().TapAt(CFracDelay::At(rate * tapTime[5]));
    end1 = line1.Offset(length1);
    end2 = line2.Offset(length2);
    for (int i : {0, 1, 4})
    {
        offset[i] = line1.Offset(tap[i]);
    }
    for (int i : {3, 6})
    {
        offset[i] = line2.Offset(tap[i]);
    }
    return kReverbOk;
}

static_assert(sizeof(CFracDelay::Position) == 2 * sizeof(float), "a position pair fills one SSE register");

bool CTank::LfoQuad::Begin(CTank& firstHalf, CTank& secondHalf)
{
    CAllPass* const allpasses[4] = {&firstHalf.modulated, &firstHalf.second, &secondHalf.modulated,
                                    &secondHalf.second};
    alignas(16) float values[9][4];
    for (int lane = 0; lane < 4; ++lane)
    {
        const CAllPass& allpass = *allpasses[lane];
        if (allpass.Depth() == 0.0f)
        {
            return false;
        }
        const CSineLFO& lfo = allpass.Lfo();
        values[0][lane] = lfo.K();
        values[1][lane] = lfo.Cosine();
        values[2][lane] = lfo.Sine();
        values[3][lane] = lfo.Sign();
        values[4][lane] = lfo.SineSelected() ? -1.0f : 0.0f;
        values[5][lane] = allpass.Depth();
        values[6][lane] = allpass.Delay();
        values[7][lane] = allpass.Rate();
        values[8][lane] = static_cast<float>(allpass.Line().Capacity());
    }
    a = &firstHalf;
    b = &secondHalf;
    k = _mm_load_ps(values[0]);
    co = _mm_load_ps(values[1]);
    si = _mm_load_ps(values[2]);
    sign = _mm_load_ps(values[3]);
    // All ones where the sine is chosen: -1.0 < 0.0 sets every bit of the lane.
    sine = _mm_cmplt_ps(_mm_load_ps(values[4]), _mm_setzero_ps());
    depth = _mm_load_ps(values[5]);
    delay = _mm_load_ps(values[6]);
    rate = _mm_load_ps(values[7]);
    capacity = _mm_load_ps(values[8]);
    inRange = _mm_castsi128_ps(_mm_set1_epi32(-1));
    return true;
}

void CTank::LfoQuad::End()
{
    alignas(16) float cosines[4];
    alignas(16) float sines[4];
    _mm_store_ps(cosines, co);
    _mm_store_ps(sines, si);
    CAllPass* const allpasses[4] = {&a->modulated, &a->second, &b->modulated, &b->second};
    for (int lane = 0; lane < 4; ++lane)
    {
        allpasses[lane]->Lfo().SetState(cosines[lane], sines[lane]);
    }
    const int inside = _mm_movemask_ps(inRange);
    a->inRange[kModulated] = (inside & 1) != 0;
    a->inRange[kSecond] = (inside & 2) != 0;
    b->inRange[kModulated] = (inside & 4) != 0;
    b->inRange[kSecond] = (inside & 8) != 0;
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
