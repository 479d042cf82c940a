#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace render
{

// A bounds-checked cursor over a byte range. Every read either succeeds or leaves the reader failed with a
// message naming what was being read and where; nothing ever reads past the end.
class ByteReader
{
public:
    ByteReader(const uint8_t* data, size_t size, size_t baseOffset = 0);

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    size_t remaining() const { return size_ - pos; }
    bool atEnd() const { return pos == size_; }
    // Offset of the cursor in the whole file, for messages.
    size_t fileOffset() const { return base + pos; }
    const uint8_t* current() const { return data_ + pos; }

    bool readU8(uint8_t& value, const char* what);
    bool readU16(uint16_t& value, const char* what);
    bool readU32(uint32_t& value, const char* what);
    // A MIDI variable-length quantity: at most four bytes, so at most 0x0FFFFFFF.
    bool readVarLen(uint32_t& value, const char* what);
    bool skip(uint64_t count, const char* what);

    // Reports the cursor's offset, or the given one for a byte already read.
    void fail(const std::string& message);
    void failAt(const std::string& message, size_t fileOffset);

private:
    // False (failing the reader) unless count more bytes are there.
    bool has(size_t count, const char* what);

    const uint8_t* data_;
    size_t size_;
    size_t pos = 0;
    size_t base;
    std::string error_;
};

} // namespace render
