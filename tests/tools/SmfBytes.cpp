#include "tools/SmfBytes.h"

namespace toolstest
{

Bytes header(uint16_t format, uint16_t tracks, uint16_t division)
{
    return {'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            uint8_t(format >> 8),
            uint8_t(format),
            uint8_t(tracks >> 8),
            uint8_t(tracks),
            uint8_t(division >> 8),
            uint8_t(division)};
}

Bytes chunk(const char* id, const Bytes& body)
{
    const uint32_t n = static_cast<uint32_t>(body.size());
    Bytes out = {uint8_t(id[0]),   uint8_t(id[1]),   uint8_t(id[2]),  uint8_t(id[3]),
                 uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
    for (uint8_t byte : body)
        out.push_back(byte);
    return out;
}

Bytes track(const Bytes& events)
{
    return chunk("MTrk", events);
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes endOfTrack()
{
    return {0x00, 0xFF, 0x2F, 0x00};
}

Bytes tempo(uint8_t delta, uint32_t microsecondsPerQuarter)
{
    return {delta,
            0xFF,
            0x51,
            0x03,
            uint8_t(microsecondsPerQuarter >> 16),
            uint8_t(microsecondsPerQuarter >> 8),
            uint8_t(microsecondsPerQuarter)};
}

} // namespace toolstest
