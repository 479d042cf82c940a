#include "engine/ByteReader.h"

namespace engine
{

ByteReader::ByteReader(const uint8_t* bytes, size_t byteCount, ByteOrder byteOrder, size_t baseOffset)
    : data(bytes), size(byteCount), order(byteOrder), base(baseOffset)
{
}

uint16_t ByteReader::decodeU16(const uint8_t* p, ByteOrder byteOrder)
{
    if (byteOrder == ByteOrder::BigEndian)
        return static_cast<uint16_t>((p[0] << 8) | p[1]);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ByteReader::decodeU32(const uint8_t* p, ByteOrder byteOrder)
{
    if (byteOrder == ByteOrder::BigEndian)
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void ByteReader::fail(const std::string& reason)
{
    failAt(reason, fileOffset());
}

void ByteReader::failAt(const std::string& reason, size_t offsetInFile)
{
    if (message.empty())
        message = reason + " (at byte " + std::to_string(offsetInFile) + ")";
    // A failed reader behaves as if exhausted, so loops over it end.
    pos = size;
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
    value = data[pos++];
    return true;
}

bool ByteReader::readU16(uint16_t& value, const char* what)
{
    if (!has(2, what))
        return false;
    value = decodeU16(data + pos, order);
    pos += 2;
    return true;
}

bool ByteReader::readU32(uint32_t& value, const char* what)
{
    if (!has(4, what))
        return false;
    value = decodeU32(data + pos, order);
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

} // namespace engine
