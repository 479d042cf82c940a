#include "FrameScheduler.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace virellando;

namespace
{

// 480 ticks per quarter note at 120 beats per minute: a tick is 500000 units of 1 / 480000000 s.
constexpr uint64_t unitsPerSecond = 480u * 1000000u;
constexpr uint64_t unitsPerTick = 500000u;

MidiMessage at(uint64_t tick, uint8_t key)
{
    MidiMessage m;
    m.tick = tick;
    m.timeUnits = tick * unitsPerTick;
    m.status = 0x90;
    m.data1 = key;
    m.data2 = 100;
    return m;
}

struct Placement
{
    uint32_t rate;
    uint32_t blockSize;
    uint64_t tick;
    uint64_t block;
    uint32_t offset;
};

std::ostream& operator<<(std::ostream& out, const Placement& p)
{
    return out << p.rate << " Hz, blocks of " << p.blockSize << ", tick " << p.tick;
}

class FramePlacement : public ::testing::TestWithParam<Placement>
{
};

} // namespace

TEST_P(FramePlacement, LandsInTheRightBlockAtTheRightOffset)
{
    const Placement p = GetParam();
    const FrameScheduler scheduler(unitsPerSecond, p.rate, p.blockSize);
    const auto scheduled = scheduler.schedule({at(p.tick, 60)});
    ASSERT_EQ(scheduled.size(), 1u);
    EXPECT_EQ(scheduled[0].block, p.block);
    EXPECT_EQ(scheduled[0].offset, p.offset);
    EXPECT_EQ(scheduled[0].frame, p.block * p.blockSize + p.offset);
}

// Expected values worked out by hand: tick 1 is 1/960 s, tick 480 half a second, tick 960 one second,
// tick 10368000 three hours.
INSTANTIATE_TEST_SUITE_P(
    RatesAndBlockSizes, FramePlacement,
    ::testing::Values(Placement{44100, 1, 1, 46, 0}, // 45.9375 frames rounds up
                      Placement{44100, 256, 1, 0, 46}, Placement{44100, 4096, 1, 0, 46},
                      Placement{44100, 1, 480, 22050, 0}, Placement{44100, 256, 480, 86, 34},
                      Placement{44100, 4096, 480, 5, 1570}, Placement{44100, 256, 960, 172, 68},
                      Placement{44100, 4096, 960, 10, 3140}, Placement{48000, 1, 1, 50, 0},
                      Placement{48000, 256, 960, 187, 128}, Placement{48000, 4096, 960, 11, 2944},
                      Placement{48000, 256, 0, 0, 0}, Placement{44100, 4096, 10368000, 116279, 1216},
                      Placement{48000, 256, 10368000, 2025000, 0}));

TEST(FrameScheduler, RoundsToTheNearestFrameWithHalvesUp)
{
    // One unit per half second at 1 Hz puts every odd unit exactly half-way between two frames.
    const FrameScheduler halves(2, 1, 1);
    EXPECT_EQ(halves.frameAt(0), 0u);
    EXPECT_EQ(halves.frameAt(1), 1u);
    EXPECT_EQ(halves.frameAt(3), 2u);
    // 96 ticks per quarter: a tick is 1/192 s, 229.6875 frames at 44100 Hz; two ticks 459.375.
    const FrameScheduler ticks(96u * 1000000u, 44100, 64);
    EXPECT_EQ(ticks.frameAt(500000), 230u);
    EXPECT_EQ(ticks.frameAt(1000000), 459u);
}

TEST(FrameScheduler, MessagesOnOneFrameKeepTheirOrder)
{
    // Ticks 0, 1 and 2 at 44100 Hz all fall on the first few frames of a block; keys show the order.
    std::vector<MidiMessage> messages = {at(0, 10), at(0, 11), at(1, 12), at(1, 13), at(2, 14)};
    messages[2].timeUnits = 1; // a hair after the start: still frame 0
    const auto scheduled = FrameScheduler(unitsPerSecond, 44100, 256).schedule(messages);
    ASSERT_EQ(scheduled.size(), 5u);
    for (size_t i = 0; i < scheduled.size(); ++i)
        EXPECT_EQ(scheduled[i].message.data1, 10 + i);
    EXPECT_EQ(scheduled[2].frame, 0u);
    EXPECT_EQ(scheduled[3].frame, 46u);
    EXPECT_EQ(scheduled[4].frame, 92u);
}
