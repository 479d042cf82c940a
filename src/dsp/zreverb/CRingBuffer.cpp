#include "dsp/zreverb/CRingBuffer.h"

#include <algorithm>
#include <new>

namespace zreverb
{

ReverbResult CRingBuffer::Create(uint32_t length)
{
    uint32_t size = 1;
    while (size < length)
    {
        if (size > (UINT32_MAX >> 1))
        {
            return kReverbAllocFailed;
        }
        size <<= 1;
    }
    std::unique_ptr<float[]> data(new (std::nothrow) float[size]);
    if (!data)
    {
        return kReverbAllocFailed;
    }
    m_data = std::move(data);
    m_size = size;
    m_mask = size - 1;
    Clear();
    return kReverbOk;
}

void CRingBuffer::Clear()
{
    m_write = 0;
    m_last = 0;
    if (m_data)
    {
        std::fill(m_data.get(), m_data.get() + m_size, 0.0f);
    }
}

} // namespace zreverb
