#pragma once

#include "dsp/zreverb/ReverbResult.h"

#include <cstdint>
#include <memory>

namespace zreverb
{

// Power-of-two delay line written backwards, so that Read(k) is the value pushed k pushes before the most
// recent one. Indices are masked, never compared. Push and Read need a successful Create.
// Audio thread only after creation.
class CRingBuffer
{
public:
    // Storage for the smallest power of two >= length (1 for 0 or 1), zeroed; on failure nothing stays
    // allocated.
    ReverbResult Create(uint32_t length);

    void Push(float v)
    {
        m_last = m_write;
        m_write = (m_write + m_size - 1) & m_mask;
        m_data[m_last] = v;
    }

    // A read at k equal to the size wraps to the most recent value.
    float Read(uint32_t k) const { return m_data[(m_write + 1 + k) & m_mask]; }

    void Clear();

    uint32_t Size() const { return m_size; }

private:
    uint32_t m_write = 0;
    uint32_t m_last = 0;
    uint32_t m_size = 0;
    uint32_t m_mask = 0;
    std::unique_ptr<float[]> m_data;
};

} // namespace zreverb
