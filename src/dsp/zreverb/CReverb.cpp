#include "dsp/zreverb/CReverb.h"

#include "dsp/zreverb/RuntimeRandom.h"

#include <algorithm>
#include <cmath>

namespace zreverb
{

namespace
{
// Frames in one buffer, channel 0 then channel 1 (in and out may be the same buffer).
struct InterleavedFrames
{
    const float* in;
    float* out;
    int stride;
    Lanes In(int f) const { return Lanes(in[f * stride], in[f * stride + 1]); }
    void Out(int f, Lanes value) const { value.Store(out + f * stride); }
    // Frames f and f + 1 side by side, f in the low lanes (the stride is two).
    Lanes InPair(int f) const { return Lanes(_mm_loadu_ps(in + f * stride)); }
    void OutPair(int f, Lanes value) const { _mm_storeu_ps(out + f * stride, value.Raw()); }
};

// Frames in a left and a right buffer, replaced in place.
struct ChannelFrames
{
    float* left;
    float* right;
    Lanes In(int f) const { return Lanes(left[f], right[f]); }
    void Out(int f, Lanes value) const { value.Store(left + f, right + f); }
    // Frames f and f + 1 side by side, f in the low lanes.
    Lanes InPair(int f) const
    {
        // The host's buffers need not be 8-byte aligned: an unaligned 64-bit load.
        const __m128 l = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(left + f)));
        const __m128 r = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(right + f)));
        return Lanes(_mm_unpacklo_ps(l, r));
    }
    void OutPair(int f, Lanes value) const
    {
        const __m128 sorted = _mm_shuffle_ps(value.Raw(), value.Raw(), _MM_SHUFFLE(3, 1, 2, 0));
        _mm_storel_pi(reinterpret_cast<__m64*>(left + f), sorted);
        _mm_storeh_pi(reinterpret_cast<__m64*>(right + f), sorted);
    }
};

// Clamps value into [low, high] (a NaN goes to low) and reports whether it had to.
ReverbResult ClampReported(float& value, float low, float high)
{
    if (value > high)
    {
        value = high;
        return kReverbOutOfRange;
    }
    if (!(value >= low))
    {
        value = low;
        return kReverbOutOfRange;
    }
    return kReverbOk;
}
} // namespace

ReverbResult CReverb::Create(int rateHz, int channelCount, int mode)
{
    if (rateHz <= 0 || channelCount != 2 || mode != 0)
    {
        return kReverbOutOfRange;
    }
    frameStride = channelCount;
    channels = 2;
    rate = static_cast<float>(rateHz);
    stereoWeight = 0.75f;
    preDelay = 0.005f;
    // Tiny negative noise at the input keeps every recursion in the network away from denormals.
    for (float& value : noise)
    {
        const int r1 = RuntimeRandom15();
        const int r2 = RuntimeRandom15();
        value = static_cast<float>(r1 + r2 - 65534) * 1e-20f / 32767.0f;
    }
    noiseIndex = 0;
    const ReverbResult result = network.Create(rate);
    if (result != kReverbOk)
    {
        return result;
    }
    SetPreset(0);
    dry = 0.8f;
    wet = 0.2f;
    return kReverbOk;
}

// Flattened: everything a frame does is inlined, so that the lanes stay in registers between stages.
__attribute__((flatten)) ReverbResult CReverb::Process(const float* in, float* out, int frames)
{
    if (frames < 0 || frames > kMaxFrames || ((in == nullptr || out == nullptr) && frames > 0))
    {
        return kReverbOutOfRange;
    }
    Run(InterleavedFrames{in, out, frameStride}, frames);
    return kReverbOk;
}

__attribute__((flatten)) ReverbResult CReverb::ProcessChannels(float* left, float* right, int frames)
{
    if (frames < 0 || frames > kMaxFrames || ((left == nullptr || right == nullptr) && frames > 0))
    {
        return kReverbOutOfRange;
    }
    Run(ChannelFrames{left, right}, frames);
    return kReverbOk;
}

template <typename Frames> void CReverb::Run(Frames frames, int count)
{
    const CFracDelay::Tap preDelayTap = network.PreDelay().TapAt(CFracDelay::At(rate * preDelay));
    const Lanes own = stereoWeight;
    const Lanes other = 1.0f - stereoWeight;
    const Lanes dryLevel = dry;
    const Lanes wetLevel = wet;
    // A wet-only mix (the instrument's send) leaves the input out instead of adding it times zero.
    const bool withDry = dry != 0.0f;
    const int step = network.BlockFrames();
    for (int start = 0; start < count; start += step)
    {
        const int blockFrames = std::min(step, count - start);
        int f = 0;
        // The noise index stays even, so each frame's two values lie 8-byte aligned.
        for (; f + 1 < blockFrames; f += 2)
        {
            const Lanes n =
                Lanes::LoadTwo(&noise[noiseIndex % kNoiseSize], &noise[(noiseIndex + 2) % kNoiseSize]);
            PackedLanes::StorePair(x + f, frames.InPair(start + f) + n);
            noiseIndex += 4;
        }
        for (; f < blockFrames; ++f)
        {
            x[f] = frames.In(start + f) + Lanes::Load(&noise[noiseIndex % kNoiseSize]);
            noiseIndex += 2;
        }
        network.ProcessBlock(x, blockFrames, preDelayTap, er0, er1, sumL, sumR);
        int i = 0;
        // Two frames side by side, each lane doing the single frame's arithmetic.
        for (; i + 1 < blockFrames; i += 2)
        {
            const Lanes l = PackedLanes::LoadPair(sumL + i);
            const Lanes r = PackedLanes::LoadPair(sumR + i);
            const Lanes e0 = PackedLanes::LoadPair(er0 + i);
            const Lanes e1 = PackedLanes::LoadPair(er1 + i);
            const Lanes tail =
                wetLevel * (own * Lanes::StraightPairs(l, r) + other * Lanes::CrossedPairs(l, r));
            const Lanes early =
                wetLevel * (own * Lanes::StraightPairs(e0, e1) + other * Lanes::CrossedPairs(e0, e1));
            frames.OutPair(start + i,
                           withDry ? dryLevel * frames.InPair(start + i) + tail + early : tail + early);
        }
        for (; i < blockFrames; ++i)
        {
            // Left: 0.75 of channel 0's network and 0.25 of channel 1's; right the other way round.
            const Lanes tail = wetLevel * (own * Lanes::Straight(sumL[i], sumR[i]) +
                                           other * Lanes::Crossed(sumL[i], sumR[i]));
            const Lanes early =
                wetLevel * (own * Lanes::Straight(er0[i], er1[i]) + other * Lanes::Crossed(er0[i], er1[i]));
            const Lanes in = frames.In(start + i);
            frames.Out(start + i, withDry ? dryLevel * in + tail + early : tail + early);
        }
    }
}

void CReverb::Reset()
{
    network.Reset();
}

ReverbResult CReverb::SetPreset(int index)
{
    const ReverbPreset* chosen = GetReverbPreset(index);
    if (chosen == nullptr)
    {
        return kReverbBadPreset;
    }
    ReverbResult result = SetCutoff(chosen->cutoff);
    preDelay = chosen->preDelay;
    const ReverbResult bass = SetBassBoost(chosen->bassBoost);
    if (result == kReverbOk)
    {
        result = bass;
    }
    SetTailLevel(chosen->tailLevel);
    network.ApplyPreset(*chosen);
    preset = index;
    return result;
}

ReverbResult CReverb::SetMix(float wetLevel)
{
    const ReverbResult result = ClampReported(wetLevel, 0.0f, 1.0f);
    wet = wetLevel;
    dry = 1.0f - wetLevel;
    return result;
}

ReverbResult CReverb::SetCutoff(float hz)
{
    const float upper = std::fmin(18000.0f, static_cast<float>(rate / 2.2));
    const ReverbResult result = ClampReported(hz, 100.0f, upper);
    network.SetCutoff(hz);
    return result;
}

ReverbResult CReverb::SetBassBoost(float db)
{
    const ReverbResult result = ClampReported(db, -18.0f, 18.0f);
    network.SetBassBoost(db);
    return result;
}

void CReverb::SetTailLevel(float db)
{
    // Also catches a NaN level, which would otherwise silence nothing and poison the output.
    const float gain = (db > -96.0f) ? static_cast<float>(std::pow(10.0, db / 20.0)) : 0.0f;
    network.SetTapGain(gain * 0.7f);
}

} // namespace zreverb
