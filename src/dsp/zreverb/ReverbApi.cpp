#include "dsp/zreverb/ReverbApi.h"

#include "dsp/zreverb/CReverb.h"

#include <new>

namespace zreverb
{

ReverbResult ReverbCreate(ReverbHandle* handle, int rate, int channels, int mode)
{
    if (handle == nullptr)
    {
        return kReverbNullHandle;
    }
    *handle = nullptr;
    CReverb* reverb = new (std::nothrow) CReverb();
    if (reverb == nullptr)
    {
        return kReverbAllocFailed;
    }
    const ReverbResult result = reverb->Create(rate, channels, mode);
    if (result != kReverbOk)
    {
        delete reverb;
        return result;
    }
    *handle = reverb;
    return kReverbOk;
}

ReverbResult ReverbDestroy(ReverbHandle* handle)
{
    if (handle == nullptr || *handle == nullptr)
    {
        return kReverbOutOfRange;
    }
    delete *handle;
    *handle = nullptr;
    return kReverbOk;
}

ReverbResult ReverbProcess(ReverbHandle handle, const float* in, float* out, int frames)
{
    return handle ? handle->Process(in, out, frames) : kReverbNullHandle;
}

void ReverbReset(ReverbHandle handle)
{
    if (handle)
    {
        handle->Reset();
    }
}

ReverbResult ReverbSetPreset(ReverbHandle handle, int index)
{
    return handle ? handle->SetPreset(index) : kReverbNullHandle;
}

ReverbResult ReverbSetMix(ReverbHandle handle, float wet)
{
    return handle ? handle->SetMix(wet) : kReverbNullHandle;
}

} // namespace zreverb
