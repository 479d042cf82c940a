#include "dsp/zreverb/CRingBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zreverb
{

namespace
{
// The head travels at least this far between slides, so that short lines do not slide every few samples.
constexpr uint32_t kMinimumTravel = 1024;
} // namespace

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
    const uint32_t storage = ringSize + std::max(ringSize, kMinimumTravel);
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
    // The newest sample is at the bottom; the storage is at least twice the size, so the ranges are apart.
    std::memcpy(data.get() + (slots - size), data.get(), size * sizeof(double));
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
