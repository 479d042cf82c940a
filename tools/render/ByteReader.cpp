#include "render/ByteReader.h"

namespace render
{

ByteReader::ByteReader(const uint8_t* data, size_t size, size_t baseOffset)
    : data_(data), size_(size), base(baseOffset)
{
}

void ByteReader::fail(const std::string& message)
{
    failAt(message, fileOffset());
}

void ByteReader::failAt(const std::string& message, size_t fileOffset)
{
    if (error_.empty())
        error_ = message + " (at byte " + std::to_string(fileOffset) + ")";
    // A failed reader behaves as if exhausted, so loops over it end.
    pos = size_;
}

bool ByteReader::has(size_t count, const char* what)
{
    if (failed())
        return false;
    if (remaining() < count)
    {
        fail(std::string("file ends inside ") + what);
        return false;
    }
    return true;
}

bool ByteReader::readU8(uint8_t& value, const char* what)
{
    if (!has(1, what))
        return false;
    value = data_[pos++];
    return true;
}

bool ByteReader::readU16(uint16_t& value, const char* what)
{
    if (!has(2, what))
        return false;
    value = static_cast<uint16_t>((data_[pos] << 8) | data_[pos + 1]);
    pos += 2;
    return true;
}

bool ByteReader::readU32(uint32_t& value, const char* what)
{
    if (!has(4, what))
        return false;
    value = (uint32_t(data_[pos]) << 24) | (uint32_t(data_[pos + 1]) << 16) |
            (uint32_t(data_[pos + 2]) << 8) | uint32_t(data_[pos + 3]);
    pos += 4;
    return true;
}

bool ByteReader::readVarLen(uint32_t& value, const char* what)
{
    value = 0;
    for (int i = 0; i < 4; ++i)
    {
        uint8_t byte = 0;
        if (!readU8(byte, what))
            return false;
        value = (value << 7) | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0)
            return true;
    }
    fail(std::string(what) + " is a variable-length number longer than four bytes");
    return false;
}

bool ByteReader::skip(uint64_t count, const char* what)
{
    if (failed())
        return false;
    if (count > remaining())
    {
        fail(std::string(what) + " declares " + std::to_string(count) + " bytes but only " +
             std::to_string(remaining()) + " remain");
        return false;
    }
    pos += static_cast<size_t>(count);
    return true;
}

} // namespace render
