#include "engine/MemoryByteSource.h"

#include <cstring>

namespace engine
{

MemoryByteSource::MemoryByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

uint64_t MemoryByteSource::size() const
{
    return size_;
}

bool MemoryByteSource::read(uint64_t offset, void* destination, size_t count)
{
    if (offset > size_ || count > size_ - offset)
        return false;
    if (count > 0)
        std::memcpy(destination, data_ + offset, count);
    return true;
}

} // namespace engine
