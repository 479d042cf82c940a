#include "dsp/zreverb/CRingBuffer.h"

#include <algorithm>
#include <new>

namespace zreverb
{

ReverbResult CRingBuffer::Create(uint32_t length)
{
    uint32_t slots = 1;
    while (slots < length)
    {
        if (slots > (UINT32_MAX >> 2))
        {
            return kReverbAllocFailed;
        }
        slots <<= 1;
    }
    std::unique_ptr<float[]> storage(new (std::nothrow) float[2 * static_cast<size_t>(slots)]);
    if (!storage)
    {
        return kReverbAllocFailed;
    }
    data = std::move(storage);
    size = slots;
    mask = slots - 1;
    Clear();
    return kReverbOk;
}

void CRingBuffer::Clear()
{
    write = 0;
    last = 0;
    if (data)
    {
        std::fill(data.get(), data.get() + 2 * static_cast<size_t>(size), 0.0f);
    }
}

} // namespace zreverb
