#include "piano/MidiMessage.h"

#include <gtest/gtest.h>

using namespace piano;

TEST(MidiMessage, PacksStatusIntoTheLowestByte)
{
    const MidiMessage m = MidiMessage::make(MidiMessage::kControlChange, 21, 127);
    EXPECT_EQ(m.packed(), 0x007F15B0);
    EXPECT_EQ(MidiMessage::unpack(0x007F15B0), m);
}

TEST(MidiMessage, UnpackIgnoresTheTopByte)
{
    const MidiMessage m = MidiMessage::unpack(static_cast<std::int32_t>(0xFF403C90u));
    EXPECT_EQ(m.status, 0x90);
    EXPECT_EQ(m.data1, 60);
    EXPECT_EQ(m.data2, 64);
}

TEST(MidiMessage, DataBytesAreLimitedToSevenBits)
{
    const MidiMessage m = MidiMessage::make(MidiMessage::kNoteOn, 200, -4);
    EXPECT_EQ(m.data1, 127);
    EXPECT_EQ(m.data2, 0);
}
