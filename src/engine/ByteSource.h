#pragma once

#include <cstddef>
#include <cstdint>

namespace engine
{

// Random-access bytes of a sound bank: a file, or memory for tests and fuzzing.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly count bytes at offset; false when they are not all there.
    virtual bool read(uint64_t offset, void* destination, size_t count) = 0;
};

} // namespace engine
