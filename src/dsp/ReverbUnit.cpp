#include "dsp/ReverbUnit.h"

#include <algorithm>
#include <new>

using namespace zreverb;

namespace dsp
{

ReverbUnit::ReverbUnit(int rate) : m_rate(rate)
{
    ReverbCreate(&m_reverb, rate, 2, 0);
}

ReverbUnit::~ReverbUnit()
{
    ReverbDestroy(&m_reverb);
}

bool ReverbUnit::Process(float* left, float* right, int frames)
{
    if (left == nullptr || right == nullptr || frames <= 0)
    {
        return frames == 0 && m_reverb != nullptr;
    }
    if (frames > capacity)
    {
        std::unique_ptr<float[]> grown(new (std::nothrow) float[2 * static_cast<size_t>(frames)]);
        if (grown)
        {
            interleaved = std::move(grown);
            capacity = frames;
        }
    }
    // A reverb that could not be built (or a buffer that could not grow) adds nothing rather than handing
    // the dry signal back as if it were the wet one.
    if (m_reverb == nullptr || frames > capacity)
    {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return false;
    }
    float* buffer = interleaved.get();
    const size_t count = static_cast<size_t>(frames);
    for (size_t i = 0; i < count; ++i)
    {
        buffer[2 * i] = left[i];
        buffer[2 * i + 1] = right[i];
    }
    ReverbResult result = kReverbOk;
    for (int done = 0; done < frames; done += kChunkFrames)
    {
        const int chunk = std::min(kChunkFrames, frames - done);
        float* frame = buffer + 2 * static_cast<size_t>(done);
        result = ReverbProcess(m_reverb, frame, frame, chunk);
    }
    for (size_t i = 0; i < count; ++i)
    {
        left[i] = buffer[2 * i];
        right[i] = buffer[2 * i + 1];
    }
    return result == kReverbOk;
}

void ReverbUnit::SetSampleRate(int rate)
{
    if (rate == m_rate)
    {
        ReverbReset(m_reverb);
        return;
    }
    m_rate = rate;
    ReverbDestroy(&m_reverb);
    ReverbCreate(&m_reverb, rate, 2, 0);
}

ReverbResult ReverbUnit::SetPreset(int index)
{
    return ReverbSetPreset(m_reverb, index);
}

ReverbResult ReverbUnit::SetMix(float wet)
{
    return ReverbSetMix(m_reverb, wet);
}

} // namespace dsp
