#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Builds Standard MIDI File bytes by hand, so tests can write exactly the file (or the damage) they need.
namespace toolstest
{

using Bytes = std::vector<uint8_t>;

Bytes header(uint16_t format, uint16_t tracks, uint16_t division);
// A chunk whose length field matches its body.
Bytes chunk(const char* id, const Bytes& body);
Bytes track(const Bytes& events);
Bytes join(std::initializer_list<Bytes> parts);
// The end-of-track meta event after a delta of 0.
Bytes endOfTrack();
// A tempo meta event after the given single-byte delta.
Bytes tempo(uint8_t delta, uint32_t microsecondsPerQuarter);

} // namespace toolstest
