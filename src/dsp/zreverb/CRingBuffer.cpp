#include "dsp/zreverb/CRingBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zreverb
{

ReverbResult CRingBuffer::Create(uint32_t length)
{
    uint32_t ringSize = 1;
    while (ringSize < length)
    {
        if (ringSize > (UINT32_MAX >> 2))
        {
            return kReverbAllocFailed;
        }
        ringSize <<= 1;
    }
    // The head travels at least kMaxPushes between slides, so that short lines do not slide every few pushes.
    const uint32_t storage = ringSize + std::max(ringSize, static_cast<uint32_t>(kMaxPushes));
    std::unique_ptr<double[]> allocated(new (std::nothrow) double[storage]);
    if (!allocated)
    {
        return kReverbAllocFailed;
    }
    data = std::move(allocated);
    size = ringSize;
    mask = ringSize - 1;
    slots = storage;
    Clear();
    return kReverbOk;
}

void CRingBuffer::Slide()
{
    // The two ranges may overlap when the head is not yet at the bottom.
    std::memmove(data.get() + (slots - size), head + 1, size * sizeof(double));
    head = data.get() + (slots - size - 1);
}

void CRingBuffer::Clear()
{
    if (data)
    {
        std::fill(data.get(), data.get() + slots, Lanes().Packed());
        head = data.get() + (slots - size - 1);
    }
}

} // namespace zreverb
