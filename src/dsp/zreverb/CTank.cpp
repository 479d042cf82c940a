#include "dsp/zreverb/CTank.h"

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
    secondTap2 = CFracDelay::At(rate * tapTime[2]);
    secondTap5 = CFracDelay::At(rate * tapTime[5]);
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
