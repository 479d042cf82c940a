#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace engine
{

// SoundFont files store their numbers little-endian, MIDI files big-endian.
enum class ByteOrder
{
    LittleEndian,
    BigEndian
};

// A bounds-checked cursor over a byte range, for the readers of sound banks and MIDI files. Every read
// either succeeds or leaves the reader failed with a message naming what was being read and where;
// nothing ever reads past the end. Used on one thread at a time.
class ByteReader
{
public:
    ByteReader(const uint8_t* bytes, size_t byteCount, ByteOrder byteOrder, size_t baseOffset = 0);

    // Numbers of records whose bounds the caller has already checked.
    static uint16_t decodeU16(const uint8_t* p, ByteOrder byteOrder);
    static uint32_t decodeU32(const uint8_t* p, ByteOrder byteOrder);

    bool failed() const { return !message.empty(); }
    const std::string& error() const { return message; }
    size_t remaining() const { return size - pos; }
    bool atEnd() const { return pos == size; }
    // Offset of the cursor in the whole file, for messages.
    size_t fileOffset() const { return base + pos; }
    const uint8_t* current() const { return data + pos; }

    bool readU8(uint8_t& value, const char* what);
    bool readU16(uint16_t& value, const char* what);
    bool readU32(uint32_t& value, const char* what);
    // A MIDI variable-length quantity: at most four bytes, so at most 0x0FFFFFFF.
    bool readVarLen(uint32_t& value, const char* what);
    bool skip(uint64_t count, const char* what);

    // Reports the cursor's offset, or the given one for a byte already read.
    void fail(const std::string& reason);
    void failAt(const std::string& reason, size_t offsetInFile);

private:
    // False (failing the reader) unless count more bytes are there.
    bool has(size_t count, const char* what);

    const uint8_t* data;
    size_t size;
    ByteOrder order;
    size_t pos = 0;
    size_t base;
    std::string message;
};

} // namespace engine
