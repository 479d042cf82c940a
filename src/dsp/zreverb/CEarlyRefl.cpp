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

ReverbResult CEarlyRefl::Create(float rate, float level)
{
    if (!(rate > 0.0f))
    {
        return kReverbOutOfRange;
    }
    m_rate = rate;
    m_crossDelay = static_cast<uint32_t>(rate * 0.0008f + 1.5f);
    // 0.1 s, but at least the longest tap at size 1.0 (the largest any preset uses): at rates such as
    // 38400 Hz the power-of-two ring of 0.1 s would be too short and the last tap would wrap round.
    const uint32_t longestTap = static_cast<uint32_t>((rate * kBaseTimes[kTaps - 1] + 0.5f) * 4.0f) + 1;
    ReverbResult result = m_line.Create(std::max(static_cast<uint32_t>(rate * 0.1f + 1.5f), longestTap));
    // One slot more than the cross delay, so that a delay that is a power of two does not wrap to zero.
    if (result == kReverbOk)
    {
        result = m_cross0.Create(m_crossDelay + 1);
    }
    if (result == kReverbOk)
    {
        result = m_cross1.Create(m_crossDelay + 1);
    }
    if (result != kReverbOk)
    {
        return result;
    }
    for (int i = 0; i < kTaps; ++i)
    {
        m_gain[i] = kBaseGains[i] * level;
    }
    SetEarlySize(1.0f);
    return kReverbOk;
}

void CEarlyRefl::SetEarlySize(float size)
{
    for (int i = 0; i < kTaps; ++i)
    {
        const float position = (m_rate * kBaseTimes[i] + 0.5f) * 4.0f * size;
        m_tap[i] = position > 0.0f ? static_cast<uint32_t>(std::min(position, kMaxTap)) : 0u;
    }
}

void CEarlyRefl::SetGains(const float (&gains)[kTaps])
{
    for (int i = 0; i < kTaps; ++i)
    {
        m_gain[i] = gains[i];
    }
}

void CEarlyRefl::Clear()
{
    m_line.Clear();
    m_cross0.Clear();
    m_cross1.Clear();
    m_crossFilter0.Clear();
    m_crossFilter1.Clear();
    m_inputFilter.Clear();
}

} // namespace zreverb
