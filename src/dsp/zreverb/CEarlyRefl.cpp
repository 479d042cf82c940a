#include "dsp/zreverb/CEarlyRefl.h"

#include <algorithm>

namespace zreverb
{

namespace
{
const float kBaseTimes[CEarlyRefl::kTaps] = {0.008f, 0.011f, 0.014f, 0.015f, 0.022f, 0.028f};
const float kBaseGains[CEarlyRefl::kTaps] = {0.5f, 0.4f, 0.32f, 0.35f, 0.25f, 0.13f};
constexpr float kMaxTap = 16777216.0f; // keeps the conversion defined; reads are masked anyway
} // namespace

ReverbResult CEarlyRefl::Create(float rateHz, float level)
{
    if (!(rateHz > 0.0f))
    {
        return kReverbOutOfRange;
    }
    rate = rateHz;
    crossDelay = static_cast<uint32_t>(rateHz * 0.0008f + 1.5f);
    // 0.1 s, but at least the longest tap at size 1.0 (the largest any preset uses): at rates such as
    // 38400 Hz the power-of-two ring of 0.1 s would be too short and the last tap would wrap round.
    const uint32_t longestTap = static_cast<uint32_t>((rateHz * kBaseTimes[kTaps - 1] + 0.5f) * 4.0f) + 1;
    ReverbResult result = line.Create(std::max(static_cast<uint32_t>(rateHz * 0.1f + 1.5f), longestTap));
    // One slot more than the cross delay, so that a delay that is a power of two does not wrap to zero.
    if (result == kReverbOk)
    {
        result = cross0.Create(crossDelay + 1);
    }
    if (result == kReverbOk)
    {
        result = cross1.Create(crossDelay + 1);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    crossOffset = cross0.Offset(crossDelay);
    for (int i = 0; i < kTaps; ++i)
    {
        gain[i] = kBaseGains[i] * level;
    }
    SetEarlySize(1.0f);
    return kReverbOk;
}

void CEarlyRefl::SetEarlySize(float size)
{
    for (int i = 0; i < kTaps; ++i)
    {
        const float position = (rate * kBaseTimes[i] + 0.5f) * 4.0f * size;
        tap[i] = position > 0.0f ? static_cast<uint32_t>(std::min(position, kMaxTap)) : 0u;
        offset[i] = line.Offset(tap[i]);
    }
}

void CEarlyRefl::SetGains(const float (&gains)[kTaps])
{
    for (int i = 0; i < kTaps; ++i)
    {
        gain[i] = gains[i];
    }
}

void CEarlyRefl::Clear()
{
    line.Clear();
    cross0.Clear();
    cross1.Clear();
    crossFilter0.Clear();
    crossFilter1.Clear();
    inputFilter.Clear();
}

} // namespace zreverb
