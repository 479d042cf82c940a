#include "dsp/ReverbUnit.h"

#include <algorithm>

using namespace zreverb;

namespace dsp
{

ReverbUnit::ReverbUnit(int rateHz) : rate(rateHz)
{
    ReverbCreate(&reverb, rateHz, 2, 0);
}

ReverbUnit::~ReverbUnit()
{
    ReverbDestroy(&reverb);
}

bool ReverbUnit::Process(float* left, float* right, int frames)
{
    if (left == nullptr || right == nullptr || frames <= 0)
    {
        return frames == 0 && reverb != nullptr;
    }
    // A reverb that could not be built adds nothing rather than handing the dry signal back as if it were
    // the wet one.
    if (reverb == nullptr)
    {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return false;
    }
    ReverbResult result = kReverbOk;
    for (int done = 0; done < frames; done += kChunkFrames)
    {
        const int chunk = std::min(kChunkFrames, frames - done);
        result = ReverbProcessChannels(reverb, left + done, right + done, chunk);
    }
    return result == kReverbOk;
}

void ReverbUnit::SetSampleRate(int rateHz)
{
    if (rateHz == rate)
    {
        ReverbReset(reverb);
        return;
    }
    rate = rateHz;
    ReverbDestroy(&reverb);
    ReverbCreate(&reverb, rateHz, 2, 0);
}

ReverbResult ReverbUnit::SetPreset(int index)
{
    return ReverbSetPreset(reverb, index);
}

ReverbResult ReverbUnit::SetMix(float wet)
{
    return ReverbSetMix(reverb, wet);
}

} // namespace dsp
