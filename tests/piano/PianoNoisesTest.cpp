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
