#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Builds Standard MIDI File bytes by hand, so tests can write exactly the file (or the damage) they need.
namespace toolstest
{

using Bytes = std::vector<uint8_t>;

inline Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A chunk with the given id and length field, followed by the body (which may be shorter).
inline Bytes chunk(const char* id, const Bytes& body, uint32_t n)
{
    return join({{uint8_t(id[0]), uint8_t(id[1]), uint8_t(id[2]), uint8_t(id[3]), uint8_t(n >> 24),
                  uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)},
                 body});
}

inline Bytes track(const Bytes& events)
{
    return chunk("MTrk", events, uint32_t(events.size()));
}

inline Bytes header(uint16_t format, uint16_t tracks, uint16_t division)
{
    return chunk("MThd",
                 {uint8_t(format >> 8), uint8_t(format), uint8_t(tracks >> 8), uint8_t(tracks),
                  uint8_t(division >> 8), uint8_t(division)},
                 6);
}

// A whole file: the header, then one track chunk per event list.
inline Bytes file(uint16_t format, uint16_t division, std::initializer_list<Bytes> tracks)
{
    Bytes out = header(format, uint16_t(tracks.size()), division);
    for (const Bytes& events : tracks)
        out = join({out, track(events)});
    return out;
}

// The end-of-track meta event after a delta of 0.
inline Bytes endOfTrack()
{
    return {0x00, 0xFF, 0x2F, 0x00};
}

// A tempo meta event after the given single-byte delta.
inline Bytes tempo(uint8_t delta, uint32_t us)
{
    return {delta, 0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)};
}

} // namespace toolstest
