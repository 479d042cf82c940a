#include "piano/MidiMessage.h"

#include <gtest/gtest.h>

using namespace piano;

// The status sits in the lowest byte, the top byte is ignored, data bytes are limited to seven bits.
TEST(MidiMessage, PacksAndUnpacksThreeBytes)
{
    const MidiMessage m = MidiMessage::make(MidiMessage::kControlChange, 21, 127);
    EXPECT_EQ(m.packed(), 0x007F15B0);
    EXPECT_EQ(MidiMessage::unpack(0x007F15B0), m);
    EXPECT_EQ(MidiMessage::unpack(static_cast<std::int32_t>(0xFF403C90u)), MidiMessage::make(0x90, 60, 64));
    const MidiMessage limited = MidiMessage::make(MidiMessage::kNoteOn, 200, -4);
    EXPECT_EQ(limited.data1, 127);
    EXPECT_EQ(limited.data2, 0);
}
