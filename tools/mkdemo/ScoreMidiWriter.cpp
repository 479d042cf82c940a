#include "mkdemo/ScoreMidiWriter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace mkdemo
{

namespace
{

struct TrackEvent
{
    uint64_t tick;
    int priority; // at one tick: releases first, then controllers, then strikes
    std::vector<uint8_t> bytes;
};

void putVarLen(std::vector<uint8_t>& out, uint64_t value)
{
    uint8_t groups[10];
    int count = 0;
    do
    {
        groups[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value > 0);
    while (count > 0)
    {
        --count;
        out.push_back(uint8_t(groups[count] | (count > 0 ? 0x80 : 0)));
    }
}

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

TrackEvent meta(uint64_t tick, uint8_t type, const std::vector<uint8_t>& data)
{
    TrackEvent event{tick, 1, {0xFF, type}};
    putVarLen(event.bytes, data.size());
    event.bytes.insert(event.bytes.end(), data.begin(), data.end());
    return event;
}

TrackEvent trackName(const std::string& name)
{
    return meta(0, 0x03, std::vector<uint8_t>(name.begin(), name.end()));
}

void appendTrack(std::vector<uint8_t>& file, std::vector<TrackEvent> events, uint64_t endTick)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const TrackEvent& a, const TrackEvent& b)
                     { return a.tick != b.tick ? a.tick < b.tick : a.priority < b.priority; });
    std::vector<uint8_t> body;
    uint64_t now = 0;
    for (const TrackEvent& event : events)
    {
        putVarLen(body, event.tick - now);
        now = event.tick;
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
    }
    putVarLen(body, std::max(endTick, now) - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putU32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
}

} // namespace

std::vector<uint8_t> ScoreMidiWriter::write(const Score& score)
{
    const bool hasPedal = !score.pedal.empty();
    const size_t trackCount = 1 + score.voices.size() + (hasPedal ? 1 : 0);

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    file.push_back(uint8_t(trackCount >> 8));
    file.push_back(uint8_t(trackCount));
    file.push_back(uint8_t(score.ticksPerQuarter >> 8));
    file.push_back(uint8_t(score.ticksPerQuarter));

    std::vector<TrackEvent> conductor = {trackName(score.title)};
    uint8_t denominatorPower = 0;
    while ((1 << denominatorPower) < score.meterDenominator)
        ++denominatorPower;
    conductor.push_back(meta(0, 0x58, {uint8_t(score.meterNumerator), denominatorPower, 24, 8}));
    for (const ScoreTempo& tempo : score.tempo)
    {
        const uint32_t micros = uint32_t(std::lround(60000000.0 / tempo.beatsPerMinute));
        conductor.push_back(
            meta(tempo.tick, 0x51, {uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)}));
    }
    appendTrack(file, conductor, score.endTick);

    for (size_t voice = 0; voice < score.voices.size(); ++voice)
    {
        std::vector<TrackEvent> events = {trackName(score.voices[voice])};
        for (const ScoreNote& note : score.notes)
        {
            if (note.voice != int(voice))
                continue;
            events.push_back({note.start, 2, {0x90, note.key, note.velocity}});
            events.push_back({note.start + note.length, 0, {0x80, note.key, 64}});
        }
        appendTrack(file, events, score.endTick);
    }
    if (hasPedal)
    {
        std::vector<TrackEvent> events = {trackName("pedal")};
        for (const ScorePedal& pedal : score.pedal)
            events.push_back({pedal.tick, 1, {0xB0, 64, uint8_t(pedal.down ? 127 : 0)}});
        appendTrack(file, events, score.endTick);
    }
    return file;
}

} // namespace mkdemo
