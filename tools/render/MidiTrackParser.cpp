#include "render/MidiTrackParser.h"

#include "engine/ByteReader.h"

using namespace engine;

namespace render
{

namespace
{

// Number of data bytes after a channel status byte.
int dataBytesFor(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

std::string hexByte(uint8_t value)
{
    const char* digits = "0123456789ABCDEF";
    return std::string("0x") + digits[value >> 4] + digits[value & 0x0F];
}

} // namespace

bool MidiTrackParser::parse(const uint8_t* data, size_t size, size_t fileOffset, uint16_t trackIndex)
{
    parsedMessages.clear();
    parsedTempoChanges.clear();
    lastTick = 0;
    errorText.clear();

    ByteReader in(data, size, ByteOrder::BigEndian, fileOffset);
    uint64_t tick = 0;
    uint8_t runningStatus = 0;
    uint32_t index = 0;
    while (!in.atEnd())
    {
        uint32_t delta = 0;
        if (!in.readVarLen(delta, "an event's delta time"))
            break;
        tick += delta;
        lastTick = tick;

        uint8_t first = 0;
        if (!in.readU8(first, "an event"))
            break;

        if (first == 0xFF)
        {
            uint8_t type = 0;
            uint32_t length = 0;
            if (!in.readU8(type, "a meta event") || !in.readVarLen(length, "a meta event's length"))
                break;
            const uint8_t* body = in.current();
            const size_t bodyOffset = in.fileOffset();
            if (!in.skip(length, "a meta event"))
                break;
            runningStatus = 0; // meta events cancel running status
            if (type == 0x2F)
                break; // end of track; anything after it is not part of the track
            if (type == 0x51)
            {
                if (length != 3)
                {
                    in.failAt("tempo event has length " + std::to_string(length) + " instead of 3",
                              bodyOffset);
                    break;
                }
                const uint32_t tempo = (uint32_t(body[0]) << 16) | (uint32_t(body[1]) << 8) | body[2];
                if (tempo == 0)
                {
                    in.failAt("tempo event sets 0 microseconds per quarter note", bodyOffset);
                    break;
                }
                parsedTempoChanges.push_back({tick, tempo});
            }
            continue;
        }
        if (first == 0xF0 || first == 0xF7)
        {
            uint32_t length = 0;
            if (!in.readVarLen(length, "a system exclusive event's length") ||
                !in.skip(length, "a system exclusive event"))
                break;
            runningStatus = 0;
            continue;
        }
        if (first >= 0xF1)
        {
            in.failAt("status byte " + hexByte(first) + " is not allowed in a MIDI file",
                      in.fileOffset() - 1);
            break;
        }

        MidiMessage message;
        message.tick = tick;
        message.track = trackIndex;
        message.indexInTrack = index++;
        uint8_t dataBytes[2] = {0, 0};
        int dataStart = 0;
        if (first & 0x80)
        {
            runningStatus = first;
        }
        else
        {
            if (runningStatus == 0)
            {
                in.failAt("data byte " + hexByte(first) + " without a status byte to run on",
                          in.fileOffset() - 1);
                break;
            }
            dataBytes[0] = first;
            dataStart = 1;
        }
        message.status = runningStatus;
        const int count = dataBytesFor(runningStatus);
        for (int i = dataStart; i < count; ++i)
        {
            if (!in.readU8(dataBytes[i], "a channel message"))
                break;
            if (dataBytes[i] & 0x80)
            {
                in.failAt("channel message " + hexByte(runningStatus) + " has data byte " +
                              hexByte(dataBytes[i]),
                          in.fileOffset() - 1);
                break;
            }
        }
        if (in.failed())
            break;
        message.data1 = dataBytes[0];
        message.data2 = dataBytes[1];
        parsedMessages.push_back(message);
    }
    if (in.failed())
    {
        errorText = "track " + std::to_string(trackIndex) + ": " + in.error();
        return false;
    }
    return true;
}

} // namespace render
