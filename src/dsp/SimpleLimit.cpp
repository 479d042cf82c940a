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
    Reset();
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
    envelope = thresholdGain;
    writeIndex = 0;
    delayLeft.fill(0.0f);
    delayRight.fill(0.0f);
    // No candidates; the slot before the first holds the mark.
    candidates[kDelaySize - 1] = Candidate{kMark, 0};
    candidatesFront = 0;
    candidatesBack = 0;
}

void SimpleLimit::ProcessBlock(float* left, float* right, int frames)
{
    // The state lives in locals for the block: the compiler cannot tell that the buffers do not overlap
    // the members, and would otherwise store and reload the envelope every frame, inside its recurrence.
    const float limit = thresholdGain;
    const int32_t lookaheadFrames = lookahead;
    // The held peak covers the frame written this step and the look-ahead frames before it, the oldest of
    // which is read out this step with the gain set now. So each frame drives the envelope for look-ahead
    // + 1 steps, the last of them setting its own gain: at least the attack time (the look-ahead is that
    // time rounded down), in which the attack closes 99 % of the way, so the frame leaves within 1 % of the
    // threshold. Dropped one step earlier, the release would lower the envelope just as it comes out.
    const int32_t span = std::clamp(lookaheadFrames, 0, kDelaySize - 1);
    const float attackFactor = attackCoefficient;
    const float releaseFactor = releaseCoefficient;
    const int32_t wrap = mask;
    const uint32_t slots = kDelaySize - 1;
    float* const pastLeft = delayLeft.data();
    float* const pastRight = delayRight.data();
    Candidate* const queue = candidates.data();
    uint32_t front = candidatesFront;
    uint32_t back = candidatesBack;
    float level = envelope;
    int32_t write = writeIndex;
    for (int i = 0; i < frames; ++i)
    {
        const float inLeft = left[i];
        const float inRight = right[i];
        const float peakLeft = std::fabs(inLeft);
        const float peakRight = std::fabs(inRight);
        // A channel that is not a number is not taken; the other still counts.
        float peak = limit;
        if (peakLeft > peak)
        {
            peak = peakLeft;
        }
        if (peakRight > peak)
        {
            peak = peakRight;
        }
        // An infinite sample would make the envelope inf - inf, and every later frame NaN; held at the
        // largest float it closes the gain for a while instead.
        peak = std::min(std::numeric_limits<float>::max(), peak);
        // The frame written span + 1 steps ago leaves the window (more than one only after the look-ahead
        // was shortened), and its slot becomes the mark before the first candidate.
        while (front != back && ((write - 1 - queue[front & slots].position) & wrap) >= span)
        {
            queue[front & slots].level = kMark;
            ++front;
        }
        // Then every candidate no louder than this frame, which outlasts them; the mark ends the search.
        // Only a window of the whole ring writes this frame over the mark, and then the oldest frame leaves
        // at the next step and puts the mark back first.
        while (queue[(back - 1) & slots].level <= peak)
        {
            --back;
        }
        queue[back & slots] = Candidate{peak, write};
        ++back;
        const float held = queue[front & slots].level;
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
    candidatesFront = front;
    candidatesBack = back;
    envelope = level;
    writeIndex = write;
}

} // namespace dsp
