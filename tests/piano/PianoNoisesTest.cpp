#include "piano/PianoNoises.h"

#include <gtest/gtest.h>

#include <limits>

using namespace piano;

namespace
{
MidiMessage noteOn(int key, int velocity)
{
    return MidiMessage::make(MidiMessage::kNoteOn, key, velocity);
}
MidiMessage noteOff(int key, int velocity)
{
    return MidiMessage::make(MidiMessage::kNoteOff, key, velocity);
}
} // namespace

TEST(PianoNoises, ReleaseNoiseKeyFollowsEighteenKeyGroups)
{
    const struct
    {
        int key;
        int noiseKey;
    } rows[] = {{21, 123}, {38, 123}, {39, 124}, {56, 124}, {57, 125},
                {74, 125}, {75, 126}, {92, 126}, {93, 127}, {108, 127}};
    for (const auto& row : rows)
    {
        const PianoNoises::Messages m = PianoNoises::keyReleased(row.key, 1.0f);
        ASSERT_EQ(m.count, 1) << row.key;
        EXPECT_EQ(m.message[0], noteOn(row.noiseKey, 97)) << row.key;
    }
}

TEST(PianoNoises, ReleaseNoiseVelocityIsOnePlusTruncatedNinetySixTimesHammer)
{
    EXPECT_EQ(PianoNoises::keyReleased(60, 0.5f).message[0].data2, 49);
    EXPECT_EQ(PianoNoises::keyReleased(60, 0.3f).message[0].data2, 29);  // 28.8 truncated
    EXPECT_EQ(PianoNoises::keyReleased(60, 0.001f).message[0].data2, 1); // 0.096 truncated
    EXPECT_EQ(PianoNoises::keyReleased(60, 1.0f).message[0].data2, 97);
}

TEST(PianoNoises, NoReleaseNoiseWithoutHammerOrOutsideTheKeyboard)
{
    EXPECT_EQ(PianoNoises::keyReleased(60, 0.0f).count, 0);
    EXPECT_EQ(PianoNoises::keyReleased(20, 1.0f).count, 0);
    EXPECT_EQ(PianoNoises::keyReleased(109, 1.0f).count, 0);
    EXPECT_EQ(PianoNoises::keyReleased(127, 1.0f).count, 0);
}

TEST(PianoNoises, PedalPressStopsTheUpNoiseThenPlaysTheDownNoise)
{
    const PianoNoises::Messages m = PianoNoises::pedalPressed(1.0f, false);
    ASSERT_EQ(m.count, 2);
    EXPECT_EQ(m.message[0], noteOff(122, 127));
    EXPECT_EQ(m.message[1], noteOn(121, 91));
    EXPECT_EQ(PianoNoises::pedalPressed(0.5f, false).message[1].data2, 46);
}

TEST(PianoNoises, PedalReleaseStopsTheDownNoiseThenPlaysTheUpNoise)
{
    const PianoNoises::Messages m = PianoNoises::pedalReleased(1.0f, true);
    ASSERT_EQ(m.count, 2);
    EXPECT_EQ(m.message[0], noteOff(121, 127));
    EXPECT_EQ(m.message[1], noteOn(122, 96));
    EXPECT_EQ(PianoNoises::pedalReleased(0.5f, true).message[1].data2, 48); // 47.5 truncated
}

TEST(PianoNoises, PedalNoisesOnlyOnAChangeOfThePedal)
{
    EXPECT_EQ(PianoNoises::pedalPressed(1.0f, true).count, 0);
    EXPECT_EQ(PianoNoises::pedalReleased(1.0f, false).count, 0);
}

TEST(PianoNoises, NoPedalNoisesWithoutHammer)
{
    EXPECT_EQ(PianoNoises::pedalPressed(0.0f, false).count, 0);
    EXPECT_EQ(PianoNoises::pedalReleased(0.0f, true).count, 0);
}

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
