#include "piano/PianoNoises.h"

#include <gtest/gtest.h>

#include <limits>

using namespace piano;

TEST(PianoNoises, DamagedHammerAmountsStayInsideTheMidiRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(PianoNoises::keyReleased(60, nan).count, 0);
    EXPECT_EQ(PianoNoises::pedalPressed(nan, false).count, 0);
    EXPECT_EQ(PianoNoises::keyReleased(60, -0.5f).count, 0);
    EXPECT_EQ(PianoNoises::keyReleased(60, 5.0f).message[0].data2, 97);
    EXPECT_EQ(PianoNoises::keyReleased(60, inf).count, 0);
    EXPECT_EQ(PianoNoises::pedalReleased(40.0f, true).message[1].data2, 96);
}

// The dampers' noise is as loud as far as they fall: all the way as before, part way softer, and a pedal
// that was not down makes none.
TEST(PianoNoises, ThePedalUpNoiseFollowsHowFarTheDampersFall)
{
    const struct
    {
        float hammer, damping;
        int velocity;
    } rows[] = {{0.5f, 1.0f, 48},        {1.0f, 1.0f, 96}, {0.5f, 0.5f, 24}, {1.0f, 0.25f, 24},
                {0.5f, 1.0f / 49.0f, 1}, {1.0f, 0.0f, 1},  {1.0f, 3.0f, 96}};
    for (const auto& row : rows)
    {
        const PianoNoises::Messages noise = PianoNoises::pedalReleased(row.hammer, true, row.damping);
        ASSERT_EQ(noise.count, 2);
        EXPECT_EQ(noise.message[0], MidiMessage::make(MidiMessage::kNoteOff, kPedalDownKey, 127));
        EXPECT_EQ(noise.message[1], MidiMessage::make(MidiMessage::kNoteOn, kPedalUpKey, row.velocity))
            << row.hammer << " " << row.damping;
    }
    EXPECT_EQ(PianoNoises::pedalReleased(1.0f, false, 0.5f).count, 0);
}
