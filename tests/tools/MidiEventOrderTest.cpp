#include "render/MidiFile.h"
#include "tools/SmfBytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace render;
using namespace toolstest;

TEST(MidiEventOrder, ReleasesOfSoundingNotesGoAheadOfStrikesAtTheSameTick)
{
    const struct
    {
        Bytes file;
        const char* order; // "on60 off60/t1": key, and the track when not the first
    } cases[] = {
        // The writer put the second strike before the release of the first, at the same tick.
        {file(0, 96, {{0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80, 0x00, 0x80, 60, 0, 0x60, 0x80, 60, 0}}),
         "on60 off60 on60 off60"},
        // The release lies in a later track.
        {file(1, 96, {{0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80}, {0x60, 0x81, 60, 0}}), "on60 off60/t1 on60"},
        // No note sounds before tick 0, so this release belongs to the note and stays after it.
        {file(0, 96, {{0x00, 0x90, 60, 80, 0x00, 0x80, 60, 0}}), "on60 off60"},
        // One note sounds; at tick 96 it is struck again and released twice: only one release moves.
        {file(0, 96, {{0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80, 0x00, 0x80, 60, 0, 0x00, 0x80, 60, 0}}),
         "on60 off60 on60 off60"},
        // Otherwise the same tick follows track order.
        {file(1, 96, {{0x00, 0x92, 76, 80}, {0x00, 0xB0, 64, 127, 0x00, 0x90, 48, 80}, {0x00, 0x91, 72, 80}}),
         "on76 cc64/t1 on48/t1 on72/t2"},
    };
    for (const auto& c : cases)
    {
        MidiFile midi;
        ASSERT_TRUE(midi.parse(c.file.data(), c.file.size())) << midi.error();
        std::string text;
        for (const MidiMessage& m : midi.messages())
        {
            text += text.empty() ? "" : " ";
            text += (m.isNoteOn() ? "on" : m.isNoteOff() ? "off" : "cc") + std::to_string(m.data1);
            if (m.track > 0)
                text += "/t" + std::to_string(m.track);
        }
        EXPECT_EQ(text, c.order);
    }
}
