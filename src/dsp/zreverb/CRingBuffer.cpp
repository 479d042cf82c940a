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
        if (slots > (UINT32_MAX >> 1))
        {
            return kReverbAllocFailed;
        }
        slots <<= 1;
    }
    std::unique_ptr<double[]> storage(new (std::nothrow) double[slots]);
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
    if (data)
    {
        std::fill(data.get(), data.get() + size, Lanes().Packed());
    }
}

} // namespace zreverb
