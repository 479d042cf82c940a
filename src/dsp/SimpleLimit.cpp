#include "dsp/SimpleLimit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dsp
{

void SimpleLimit::FastEnvelope::UpdateCoefficient()
{
    coefficient = static_cast<float>(std::pow(0.01, 1000.0 / (static_cast<double>(time) * rate)));
}

SimpleLimit::SimpleLimit()
{
    lookahead = static_cast<int32_t>(attack.GetSampleRate() * 0.001);
    attack.SetTime(1.0f);
    CacheCoefficients();
}

void SimpleLimit::CacheCoefficients()
{
    attackCoefficient = attack.GetCoefficient();
    releaseCoefficient = release.GetCoefficient();
}

void SimpleLimit::SetThreshold(float db)
{
    threshold = db;
    thresholdGain = static_cast<float>(std::exp(db * std::log(10.0) / 20.0));
}

void SimpleLimit::SetAttack(float ms)
{
    lookahead = static_cast<int32_t>(static_cast<double>(attack.GetSampleRate()) * ms * 0.001);
    attack.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetRelease(float ms)
{
    release.SetTime(ms);
    CacheCoefficients();
}

void SimpleLimit::SetSampleRate(float rate)
{
    attack.SetSampleRate(rate);
    release.SetSampleRate(rate);
    CacheCoefficients();
}

void SimpleLimit::Reset()
{
    holdCounter = 0;
    heldPeak = thresholdGain;
    envelope = thresholdGain;
    writeIndex = 0;
    delayLeft.fill(0.0f);
    delayRight.fill(0.0f);
}

void SimpleLimit::ProcessBlock(float* left, float* right, int frames)
{
    // The state lives in locals for the block: the compiler cannot tell that the buffers do not overlap
    // the members, and would otherwise store and reload the envelope every frame, inside its recurrence.
    const float limit = thresholdGain;
    const int32_t lookaheadFrames = lookahead;
    const float attackFactor = attackCoefficient;
    const float releaseFactor = releaseCoefficient;
    const int32_t wrap = mask;
    float* const pastLeft = delayLeft.data();
    float* const pastRight = delayRight.data();
    int32_t hold = holdCounter;
    float held = heldPeak;
    float level = envelope;
    int32_t write = writeIndex;
    for (int i = 0; i < frames; ++i)
    {
        const float inLeft = left[i];
        const float inRight = right[i];
        float peak = inLeft < 0.0f ? -inLeft : inLeft;
        const float peakRight = inRight < 0.0f ? -inRight : inRight;
        if (peakRight > peak)
        {
            peak = peakRight;
        }
        if (limit > peak)
        {
            peak = limit;
        }
        // An infinite sample would make the envelope inf - inf, and every later frame NaN; held at the
        // largest float it closes the gain for a while instead. A NaN peak stays NaN and is not taken.
        peak = std::min(peak, std::numeric_limits<float>::max());
        ++hold;
        if (hold >= lookaheadFrames || peak > held)
        {
            hold = 0;
            held = peak;
        }
        // A branch rather than a selected coefficient: attack and release come in long runs that the
        // predictor follows, and the choice stays out of the envelope's recurrence.
        if (held > level)
        {
            level = held + (level - held) * attackFactor;
        }
        else
        {
            level = held + (level - held) * releaseFactor;
        }
        const int32_t r = (write - lookaheadFrames) & wrap;
        const float gain = limit / level;
        const float outLeft = pastLeft[r] * gain;
        const float outRight = pastRight[r] * gain;
        pastLeft[write] = inLeft;
        pastRight[write] = inRight;
        write = (write + 1) & wrap;
        left[i] = outLeft;
        right[i] = outRight;
    }
    holdCounter = hold;
    heldPeak = held;
    envelope = level;
    writeIndex = write;
}

} // namespace dsp
