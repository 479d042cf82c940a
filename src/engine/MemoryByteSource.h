#pragma once

#include "engine/ByteSource.h"

namespace engine
{

// Bytes held by the caller; they must outlive the source.
class MemoryByteSource : public ByteSource
{
public:
    MemoryByteSource(const uint8_t* bytes, size_t length);
    uint64_t size() const override;
    bool read(uint64_t offset, void* destination, size_t count) override;

private:
    const uint8_t* data;
    size_t byteCount;
};

} // namespace engine
