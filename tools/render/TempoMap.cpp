#include "render/TempoMap.h"

#include <algorithm>

namespace render
{

bool TempoMap::setDivision(uint16_t division)
{
    errorText.clear();
    if ((division & 0x8000) == 0)
    {
        if (division == 0)
        {
            errorText = "the header gives 0 ticks per quarter note";
            return false;
        }
        resolution = uint64_t(division) * 1000000u;
        smpteUnitsPerTick = 0;
        setTempoChanges({});
        return true;
    }
    // The high byte is the negated frame rate, the low byte the ticks per frame.
    const int framesPerSecond = -static_cast<int8_t>(division >> 8);
    const uint64_t ticksPerFrame = division & 0xFF;
    if (ticksPerFrame == 0)
    {
        errorText = "the header gives 0 ticks per SMPTE frame";
        return false;
    }
    switch (framesPerSecond)
    {
    case 24:
    case 25:
    case 30:
        resolution = uint64_t(framesPerSecond) * ticksPerFrame;
        smpteUnitsPerTick = 1;
        break;
    case 29: // 29.97 frames per second: 30000 / 1001
        resolution = 30000u * ticksPerFrame;
        smpteUnitsPerTick = 1001;
        break;
    default:
        errorText = "the header gives an SMPTE rate of " + std::to_string(framesPerSecond) +
                    " frames per second; only 24, 25, 29 (29.97) and 30 exist";
        return false;
    }
    segments = {{0, 0, smpteUnitsPerTick}};
    return true;
}

void TempoMap::setTempoChanges(std::vector<TempoChange> changes)
{
    if (smpteUnitsPerTick != 0)
        return;
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    // 120 beats per minute until the first change.
    segments = {{0, 0, 500000}};
    for (const TempoChange& change : changes)
    {
        Segment& last = segments.back();
        if (change.tick == last.tick)
        {
            last.unitsPerTick = change.microsecondsPerQuarter;
            continue;
        }
        uint64_t units = 0;
        if (!timeUnitsAt(change.tick, units))
            units = UINT64_MAX; // later ticks fail the same overflow check
        segments.push_back({change.tick, units, change.microsecondsPerQuarter});
    }
}

bool TempoMap::timeUnitsAt(uint64_t tick, uint64_t& units) const
{
    if (segments.empty())
        return false;
    auto next = std::upper_bound(segments.begin(), segments.end(), tick,
                                 [](uint64_t t, const Segment& s) { return t < s.tick; });
    const Segment& segment = *(next - 1);
    uint64_t span = 0;
    if (segment.units == UINT64_MAX ||
        __builtin_mul_overflow(tick - segment.tick, segment.unitsPerTick, &span) ||
        __builtin_add_overflow(segment.units, span, &units))
        return false;
    return true;
}

} // namespace render
