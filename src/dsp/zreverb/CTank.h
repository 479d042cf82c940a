#pragma once

#include "dsp/zreverb/CAllPass.h"
#include "dsp/zreverb/COnePole.h"
#include "dsp/zreverb/CRingBuffer.h"
#include "dsp/zreverb/PackedLanes.h"
#include "dsp/zreverb/TankParameters.h"

namespace zreverb
{

// One half of the recirculating figure-eight tank, for both channels: modulated allpass, delay line 1,
// damping, decay, second allpass, delay line 2; seven output taps give a left and a right sum.
class CTank
{
public:
    // The most frames one Prepare serves.
    static constexpr int kBlock = 64;

    ReverbResult Create(const TankParameters& block);

    // Moves both allpass LFOs through the coming frames (at most kBlock) and keeps their read positions.
    void Prepare(int frames)
    {
        bool modulatedInRange = true;
        bool secondInRange = true;
        for (int i = 0; i < frames; ++i)
        {
            positions[i][kModulated] = CFracDelay::At(modulated.NextDelay());
            positions[i][kSecond] = CFracDelay::At(second.NextDelay());
            modulatedInRange = modulatedInRange && InRange(positions[i][kModulated], modulated);
            secondInRange = secondInRange && InRange(positions[i][kSecond], second);
        }
        inRange[kModulated] = modulatedInRange;
        inRange[kSecond] = secondInRange;
    }
    // The four allpass LFOs of two tanks side by side in SSE lanes, each lane doing what NextDelay and
    // CFracDelay::At do, in their order. Stepped frame by frame inside the caller's per-sample work, their
    // recursion overlaps that work instead of running as a loop of its own.
    class LfoQuad
    {
    public:
        // Takes over the LFOs' state; false (and nothing taken) when an allpass has no depth, whose LFO
        // must then stand still: Prepare serves that case.
        bool Begin(CTank& firstHalf, CTank& secondHalf);
        // Frame i's read positions of both tanks.
        void Step(int i)
        {
            co = _mm_sub_ps(co, _mm_mul_ps(k, si));
            si = _mm_add_ps(si, _mm_mul_ps(k, co));
            const __m128 value = _mm_mul_ps(_mm_or_ps(_mm_and_ps(sine, si), _mm_andnot_ps(sine, co)), sign);
            const __m128 d = _mm_mul_ps(rate, _mm_add_ps(_mm_mul_ps(value, depth), delay));
            const __m128 shifted = _mm_add_ps(d, _mm_set1_ps(1.0f));
            const __m128i whole = _mm_cvttps_epi32(shifted);
            const __m128 fraction = _mm_sub_ps(shifted, _mm_cvtepi32_ps(whole));
            // 2 <= whole < capacity; false for a NaN too.
            inRange = _mm_and_ps(inRange, _mm_and_ps(_mm_cmpge_ps(shifted, _mm_set1_ps(2.0f)),
                                                     _mm_cmplt_ps(shifted, capacity)));
            // Lanes 0 and 1 are the first tank's two positions, lanes 2 and 3 the second's.
            _mm_store_ps(reinterpret_cast<float*>(a->positions[i]),
                         _mm_unpacklo_ps(_mm_castsi128_ps(whole), fraction));
            _mm_store_ps(reinterpret_cast<float*>(b->positions[i]),
                         _mm_unpackhi_ps(_mm_castsi128_ps(whole), fraction));
        }
        // Hands the state back to the LFOs.
        void End();

    private:
        CTank* a = nullptr;
        CTank* b = nullptr;
        __m128 k = _mm_setzero_ps();
        __m128 co = _mm_setzero_ps();
        __m128 si = _mm_setzero_ps();
        __m128 sign = _mm_setzero_ps();
        __m128 sine = _mm_setzero_ps(); // all ones where the LFO gives its sine
        __m128 depth = _mm_setzero_ps();
        __m128 delay = _mm_setzero_ps();
        __m128 rate = _mm_setzero_ps();
        __m128 capacity = _mm_setzero_ps();                    // of each allpass's line
        __m128 inRange = _mm_castsi128_ps(_mm_set1_epi32(-1)); // all ones while every position is in range
    };

    // The prepared block in two steps: up to the damping, then (for both halves at once) from it on.
    // in, left and right hold the block newest first (frame i of n at [n - 1 - i]); left and right receive
    // each frame's tap sums. The lines are read where they stood at each frame, as when every stage runs per
    // frame. Only the damping recurs from frame to frame; the stages before and after it read far enough
    // back to run two frames side by side.
    void ProcessToDamping(const PackedLanes* in, PackedLanes* left, PackedLanes* right, int frames)
    {
        modulated.Reserve(frames);
        line1.Reserve(frames);
        second.Reserve(frames);
        line2.Reserve(frames);
        if (inRange[kModulated])
        {
            RunToDamping<true>(in, left, right, frames);
        }
        else
        {
            RunToDamping<false>(in, left, right, frames);
        }
    }
    // The damping and decay and the stages after them, both halves in one loop: the two damping recursions
    // (chains of dependent steps, on copies of the filters that stay in registers) run side by side with
    // the rest of the work, which runs two frames at a time where the allpass reads allow it.
    static void ProcessFromDamping(CTank& first, PackedLanes* firstLeft, PackedLanes* firstRight,
                                   CTank& second, PackedLanes* secondLeft, PackedLanes* secondRight,
                                   int frames)
    {
        if (first.inRange[kSecond] && second.inRange[kSecond])
        {
            RunFromDamping<true>(first, firstLeft, firstRight, second, secondLeft, secondRight, frames);
        }
        else
        {
            RunFromDamping<false>(first, firstLeft, firstRight, second, secondLeft, secondRight, frames);
        }
    }
    // The feedback for the other half after the latest frame: the end of delay line 2 times the decay.
    Lanes Feedback() const { return line2.ReadAt(end2) * decay; }
    // The feedback after the frame that comes `ahead` frames later (1 <= ahead <= Length2()): already in the
    // line, since the loop through line 2 is longer than that.
    Lanes FeedbackAhead(uint32_t ahead) const { return line2.Read(length2 - ahead) * decay; }
    // FeedbackAhead(ahead) and FeedbackAhead(ahead + 1) side by side, the later in the low lanes
    // (ahead + 1 <= Length2()).
    Lanes FeedbackAheadPair(uint32_t ahead) const { return line2.ReadPairAt(length2 - ahead + 1) * decay; }

    void SetDecay(float value) { decay = value; }
    void SetDamping(float a, float b) { damping.SetCoefficients(a, b); }
    void SetCoefficients(float modulatedCoefficient, float secondCoefficient);
    void SetDepths(float modulatedSeconds, float secondSeconds);
    void SetTapGain(float gain) { tapGain = gain; }

    // Zeroes both delay lines, both allpass lines and the damping state; LFO phases stay.
    void Clear();

    uint32_t Length1() const { return length1; }
    uint32_t Length2() const { return length2; }
    uint32_t Tap(int i) const { return tap[i]; }
    float Decay() const { return decay.Channel(0); }
    float TapGain() const { return tapGain.Channel(0); }
    const COnePole& Damping() const { return damping; }
    const CAllPass& Modulated() const { return modulated; }
    const CAllPass& Second() const { return second; }

private:
    static bool InRange(CFracDelay::Position p, const CAllPass& allpass)
    {
        return p.whole >= 2 && p.whole < allpass.Line().Capacity();
    }
    bool SecondPairFits(int i) const { return second.PairFits(positions[i + 1][kSecond]); }
    template <bool kInRange>
    void RunToDamping(const PackedLanes* in, PackedLanes* left, PackedLanes* right, int frames)
    {
        for (int i = 0; i < frames;)
        {
            if (i + 1 < frames && (kInRange || modulated.PairFits(positions[i + 1][kModulated])))
            {
                const int at = frames - 2 - i;
                const Lanes x = PackedLanes::LoadPair(in + at);
                const CFracDelay::Position earlier = positions[i][kModulated];
                const CFracDelay::Position later = positions[i + 1][kModulated];
                line1.PushPair(kInRange ? modulated.ProcessPairInRange(x, earlier, later)
                                        : modulated.ProcessPair(x, earlier, later));
                PackedLanes::StorePair(lineEnd + at, line1.ReadPushedPairAt(end1));
                Lanes sumLeft = 0.0f;
                Lanes sumRight = 0.0f;
                sumLeft += tapGain * (line1.ReadPushedPairAt(offset[0]) + line1.ReadPushedPairAt(offset[1]));
                sumRight -= tapGain * line1.ReadPushedPairAt(offset[4]);
                PackedLanes::StorePair(left + at, sumLeft);
                PackedLanes::StorePair(right + at, sumRight);
                i += 2;
            }
            else
            {
                const int at = frames - 1 - i;
                line1.Push(kInRange ? modulated.ProcessInRange(in[at], positions[i][kModulated])
                                    : modulated.Process(in[at], positions[i][kModulated]));
                lineEnd[at] = line1.ReadAt(end1);
                Lanes sumLeft = 0.0f;
                Lanes sumRight = 0.0f;
                sumLeft += tapGain * (line1.ReadAt(offset[0]) + line1.ReadAt(offset[1]));
                sumRight -= tapGain * line1.ReadAt(offset[4]);
                left[at] = sumLeft;
                right[at] = sumRight;
                i += 1;
            }
        }
    }
    template <bool kInRange>
    static void RunFromDamping(CTank& first, PackedLanes* firstLeft, PackedLanes* firstRight, CTank& second,
                               PackedLanes* secondLeft, PackedLanes* secondRight, int frames)
    {
        COnePole firstDamping = first.damping;
        COnePole secondDamping = second.damping;
        const Lanes firstDecay = first.decay;
        const Lanes secondDecay = second.decay;
        for (int i = 0; i < frames;)
        {
            const int at = frames - 1 - i;
            const Lanes firstValue = firstDamping.Process(first.lineEnd[at]) * firstDecay;
            const Lanes secondValue = secondDamping.Process(second.lineEnd[at]) * secondDecay;
            if (i + 1 < frames && (kInRange || (first.SecondPairFits(i) && second.SecondPairFits(i))))
            {
                const Lanes firstNext = firstDamping.Process(first.lineEnd[at - 1]) * firstDecay;
                const Lanes secondNext = secondDamping.Process(second.lineEnd[at - 1]) * secondDecay;
                first.FinishPair<kInRange>(i, Lanes::Join(firstValue, firstNext), firstLeft + at - 1,
                                           firstRight + at - 1);
                second.FinishPair<kInRange>(i, Lanes::Join(secondValue, secondNext), secondLeft + at - 1,
                                            secondRight + at - 1);
                i += 2;
            }
            else
            {
                first.FinishOne<kInRange>(i, firstValue, firstLeft[at], firstRight[at]);
                second.FinishOne<kInRange>(i, secondValue, secondLeft[at], secondRight[at]);
                i += 1;
            }
        }
        first.damping = firstDamping;
        second.damping = secondDamping;
    }

    // Frames i and i + 1 after the damping: s holds both (the later in the low lanes); left and right point
    // at the pair's tap sums, newest first.
    template <bool kInRange> void FinishPair(int i, Lanes s, PackedLanes* left, PackedLanes* right)
    {
        const CFracDelay::Position earlier = positions[i][kSecond];
        const CFracDelay::Position later = positions[i + 1][kSecond];
        line2.PushPair(kInRange ? second.ProcessPairInRange(s, earlier, later)
                                : second.ProcessPair(s, earlier, later));
        Lanes sumLeft = PackedLanes::LoadPair(left);
        Lanes sumRight = PackedLanes::LoadPair(right);
        sumLeft -= tapGain * second.Line().ReadPushedPair(secondTap2);
        sumLeft += tapGain * line2.ReadPushedPairAt(offset[3]);
        sumRight -= tapGain * second.Line().ReadPushedPair(secondTap5);
        sumRight -= tapGain * line2.ReadPushedPairAt(offset[6]);
        PackedLanes::StorePair(left, sumLeft);
        PackedLanes::StorePair(right, sumRight);
    }
    // Frame i alone after the damping.
    template <bool kInRange> void FinishOne(int i, Lanes s, PackedLanes& left, PackedLanes& right)
    {
        line2.Push(kInRange ? second.ProcessInRange(s, positions[i][kSecond])
                            : second.Process(s, positions[i][kSecond]));
        Lanes sumLeft = left;
        Lanes sumRight = right;
        sumLeft -= tapGain * second.Line().Read(secondTap2);
        sumLeft += tapGain * line2.ReadAt(offset[3]);
        sumRight -= tapGain * second.Line().Read(secondTap5);
        sumRight -= tapGain * line2.ReadAt(offset[6]);
        left = sumLeft;
        right = sumRight;
    }

    uint32_t length1 = 0;
    uint32_t length2 = 0;
    uint32_t tap[7] = {};
    // Where the reads at the lines' ends and at the taps on lines 1 and 2 find their values.
    uint32_t end1 = 0;
    uint32_t end2 = 0;
    uint32_t offset[7] = {};
    float rate = 0.0f;
    // In both lanes, ready for the per-sample work.
    Lanes decay = 0.0f;
    Lanes tapGain = 0.7f;
    float tapTime[7] = {};
    // Taps 2 and 5 read the second allpass's own line at rate x tap time.
    CFracDelay::Tap secondTap2{};
    CFracDelay::Tap secondTap5{};
    CRingBuffer line1;
    CRingBuffer line2;
    COnePole damping;
    CAllPass modulated;
    CAllPass second;
    // Each frame's read positions of the modulated and the second allpass, side by side.
    static constexpr int kModulated = 0;
    static constexpr int kSecond = 1;
    alignas(16) CFracDelay::Position positions[kBlock][2];
    // Whether every position of the block lies where reads need no mask (CFracDelay::ReadInRange).
    bool inRange[2] = {};
    // Each frame's read at the end of line 1, newest first.
    PackedLanes lineEnd[kBlock];
};

} // namespace zreverb
