#include "engine/MemoryByteSource.h"

#include <cstring>

namespace engine
{

MemoryByteSource::MemoryByteSource(const uint8_t* bytes, size_t length) : data(bytes), byteCount(length) {}

uint64_t MemoryByteSource::size() const
{
    return byteCount;
}

bool MemoryByteSource::read(uint64_t offset, void* destination, size_t count)
{
    if (offset > byteCount || count > byteCount - offset)
        return false;
    if (count > 0)
        std::memcpy(destination, data + offset, count);
    return true;
}

} // namespace engine
