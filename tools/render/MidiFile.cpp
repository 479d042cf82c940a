#include "render/MidiFile.h"

#include "engine/ByteReader.h"
#include "render/MidiTrackParser.h"
#include "render/TempoMap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <new>

using namespace engine;

namespace render
{

namespace
{

// Larger files are not MIDI files a person would render; refusing them keeps memory bounded.
constexpr size_t maxFileBytes = 16 * 1024 * 1024;
// A render of more than a day is a damaged file or a mistake.
constexpr uint64_t maxSeconds = 24 * 60 * 60;
constexpr uint32_t trackChunkId = 0x4D54726B; // "MTrk"

// Within one tick: note-offs that end notes sounding before the tick move ahead of the first note-on of their
// key in that tick. Note-offs beyond the number of sounding notes (a note both starting and ending at the
// tick) stay in file order, so such a note is still ended.
void orderNotesWithinTick(std::vector<MidiMessage>& messages)
{
    std::map<uint8_t, int> sounding;
    size_t begin = 0;
    std::vector<size_t> rank;
    while (begin < messages.size())
    {
        size_t end = begin;
        while (end < messages.size() && messages[end].tick == messages[begin].tick)
            ++end;

        std::map<uint8_t, size_t> firstNoteOn;
        std::map<uint8_t, int> hoistable;
        for (size_t i = begin; i < end; ++i)
            if (messages[i].isNoteOn() && !firstNoteOn.count(messages[i].data1))
                firstNoteOn[messages[i].data1] = i;
        for (const auto& entry : firstNoteOn)
            hoistable[entry.first] = sounding[entry.first];

        // Sort key: position doubled; a hoisted note-off takes the slot just before its key's first note-on.
        rank.assign(end - begin, 0);
        for (size_t i = begin; i < end; ++i)
        {
            const MidiMessage& m = messages[i];
            rank[i - begin] = 2 * i + 1;
            auto first = firstNoteOn.find(m.data1);
            if (!m.isNoteOff() || first == firstNoteOn.end() || hoistable[m.data1] == 0)
                continue;
            --hoistable[m.data1];
            if (first->second < i)
                rank[i - begin] = 2 * first->second;
        }
        std::vector<MidiMessage> group(messages.begin() + begin, messages.begin() + end);
        std::vector<size_t> order(group.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rank[a] < rank[b]; });
        for (size_t i = 0; i < order.size(); ++i)
            messages[begin + i] = group[order[i]];

        for (size_t i = begin; i < end; ++i)
        {
            if (messages[i].isNoteOn())
                ++sounding[messages[i].data1];
            else if (messages[i].isNoteOff() && sounding[messages[i].data1] > 0)
                --sounding[messages[i].data1];
        }
        begin = end;
    }
}

} // namespace

bool MidiFile::fail(const std::string& message)
{
    errorText = message;
    timeline.clear();
    return false;
}

bool MidiFile::load(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return fail("cannot open MIDI file '" + path + "'");
    std::vector<uint8_t> bytes;
    char chunk[64 * 1024];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
    {
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (bytes.size() > maxFileBytes)
            return fail("'" + path + "' is larger than " + std::to_string(maxFileBytes >> 20) +
                        " MB, too large for a MIDI file");
    }
    if (file.bad())
        return fail("cannot read MIDI file '" + path + "'");
    if (!parse(bytes.data(), bytes.size()))
        return fail("'" + path + "': " + errorText);
    return true;
}

bool MidiFile::parse(const uint8_t* data, size_t size)
{
    try
    {
        return parseBytes(data, size);
    }
    catch (const std::bad_alloc&)
    {
        return fail("not enough memory to hold the file's events");
    }
}

bool MidiFile::parseBytes(const uint8_t* data, size_t size)
{
    errorText.clear();
    timeline.clear();
    endUnits = 0;

    ByteReader in(data, size, ByteOrder::BigEndian);
    if (size < 4 || std::memcmp(data, "MThd", 4) != 0)
        return fail("not a Standard MIDI File (no MThd header)");
    in.skip(4, "the header");
    uint32_t headerLength = 0;
    uint16_t format = 0;
    uint16_t tracks = 0;
    uint16_t division = 0;
    if (!in.readU32(headerLength, "the header length"))
        return fail(in.error());
    if (headerLength < 6)
        return fail("the header is " + std::to_string(headerLength) + " bytes long, less than 6");
    in.readU16(format, "the header");
    in.readU16(tracks, "the header");
    in.readU16(division, "the header");
    in.skip(headerLength - 6, "the header");
    if (in.failed())
        return fail(in.error());
    if (format == 2)
        return fail("format 2 (independent sequences) is not supported; save the file as format 0 or 1");
    if (format > 2)
        return fail("unknown MIDI file format " + std::to_string(format));
    fileFormat = format;
    declaredTracks = tracks;

    TempoMap tempoMap;
    if (!tempoMap.setDivision(division))
        return fail(tempoMap.error());
    unitsPerSecond = tempoMap.unitsPerSecond();

    std::vector<TempoChange> tempoChanges;
    uint64_t endTick = 0;
    int found = 0;
    MidiTrackParser parser;
    while (found < tracks)
    {
        if (in.atEnd())
            return fail("the header announces " + std::to_string(tracks) + " tracks but the file holds " +
                        std::to_string(found));
        uint32_t id = 0;
        uint32_t length = 0;
        in.readU32(id, "a chunk header");
        in.readU32(length, "a chunk header");
        const bool isTrack = id == trackChunkId;
        const size_t bodyOffset = in.fileOffset();
        const uint8_t* body = in.current();
        if (!in.skip(length, isTrack ? "a track chunk" : "a chunk"))
            return fail(in.error());
        if (!isTrack)
            continue; // chunks of other kinds are to be ignored by readers
        if (!parser.parse(body, length, bodyOffset, static_cast<uint16_t>(found)))
            return fail(parser.error());
        timeline.insert(timeline.end(), parser.messages().begin(), parser.messages().end());
        tempoChanges.insert(tempoChanges.end(), parser.tempoChanges().begin(), parser.tempoChanges().end());
        endTick = std::max(endTick, parser.endTick());
        ++found;
    }
    tempoMap.setTempoChanges(std::move(tempoChanges));

    if (!tempoMap.timeUnitsAt(endTick, endUnits) || endUnits / unitsPerSecond >= maxSeconds)
        return fail("the file's events reach beyond 24 hours");

    std::stable_sort(timeline.begin(), timeline.end(),
                     [](const MidiMessage& a, const MidiMessage& b)
                     {
                         if (a.tick != b.tick)
                             return a.tick < b.tick;
                         return a.track < b.track;
                     });
    orderNotesWithinTick(timeline);
    for (MidiMessage& m : timeline)
    {
        tempoMap.timeUnitsAt(m.tick, m.timeUnits);
        m.seconds = double(m.timeUnits) / double(unitsPerSecond);
    }
    return true;
}

double MidiFile::durationSeconds() const
{
    return double(endUnits) / double(unitsPerSecond);
}

} // namespace render
