// The driver the LV2 and VST3 adapters share, against a stand-in instrument that records what it is handed:
// events at their offsets in pieces no longer than the instrument's block, refusals of what it must not
// see, and its host callbacks routed to the format.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "host/InstrumentDriver.h"
#include "host/StandInInstrument.h"

using namespace host;
using namespace hosttest;

namespace
{
class InstrumentDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        StandInInstrument::standIn = &instrument;
        ASSERT_TRUE(driver.open(StandInInstrument::entry(), 48000.0, 256));
    }
    void TearDown() override { StandInInstrument::standIn = nullptr; }

    std::vector<float> render(int frames)
    {
        std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
        driver.render(left.data(), right.data());
        return left;
    }

    StandInInstrument instrument;
    RecordingFormat format;
    InstrumentDriver driver{format};
};

TEST_F(InstrumentDriverTest, CreatesTheInstrumentAtTheFormatsRateAndTellsItTheBlockLength)
{
    EXPECT_EQ(instrument.rateAtCreation, 48000.0);
    EXPECT_EQ(instrument.blockSize, 256);
    EXPECT_EQ(instrument.opcodes.front(), effOpen);
    ASSERT_EQ(driver.parameterCount(), 3);
    EXPECT_EQ(driver.parameter(0)->name, "Knob");
    EXPECT_EQ(driver.parameter(0)->shape.steps, 4);
    EXPECT_EQ(driver.parameter(1)->defaultValue, 0.5f);
    ASSERT_EQ(driver.programCount(), 2);
    EXPECT_EQ(driver.programName(1), "Second");
    driver.close();
    EXPECT_TRUE(instrument.closed);
}

TEST_F(InstrumentDriverTest, EventsReachTheInstrumentInTimeOrderAtTheirOffsetsWithinEachPiece)
{
    // A block of 700 frames for an instrument told 256: pieces of 256, 256 and 188, each with its events
    // counted from its own start.
    driver.beginBlock(700);
    for (const int offset : {600, 0, 255, 256, 300, 256, 699})
        EXPECT_TRUE(driver.addMidi(offset, 0x90, static_cast<uint8_t>(offset % 128), 100));
    render(700);
    EXPECT_EQ(instrument.pieces, (std::vector<int>{256, 256, 188}));
    // Each piece had its event list, which is where the instrument takes its editor's keys and pedals.
    EXPECT_EQ(instrument.count(effProcessEvents), 3);
    const struct
    {
        int piece, offset, key;
    } expected[] = {{0, 0, 0},          {0, 255, 255 % 128}, {1, 0, 256 % 128},  {1, 0, 256 % 128},
                    {1, 44, 300 % 128}, {2, 88, 600 % 128},  {2, 187, 699 % 128}};
    ASSERT_EQ(instrument.events.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(instrument.events[i].piece, expected[i].piece) << i;
        EXPECT_EQ(instrument.events[i].offset, expected[i].offset) << i;
        EXPECT_EQ(instrument.events[i].key, expected[i].key) << i;
    }
}

TEST_F(InstrumentDriverTest, EventsOutsideTheBlockOrBeyondItsRoomAreRefusedAndNeverPlayed)
{
    driver.beginBlock(64);
    EXPECT_FALSE(driver.addMidi(64, 0x90, 60, 100));
    EXPECT_FALSE(driver.addMidi(-1, 0x90, 61, 100));
    EXPECT_FALSE(driver.addMidi(std::numeric_limits<int>::max(), 0x90, 62, 100));
    EXPECT_TRUE(driver.addMidi(63, 0x90, 63, 100));
    render(64);
    ASSERT_EQ(instrument.events.size(), 1u);
    EXPECT_EQ(instrument.events[0].key, 63);
    EXPECT_EQ(driver.takeRefusedEvents(), 3);

    // A block holds at least 1024 events; the next ones wait for nothing: they are refused.
    driver.beginBlock(64);
    int taken = 0;
    while (driver.addMidi(0, 0xB0, 64, 0))
        ++taken;
    EXPECT_EQ(taken, 1024);
    EXPECT_EQ(driver.takeRefusedEvents(), 1);
    // The next block starts empty, and the instrument still gets its (empty) list.
    instrument.events.clear();
    const int lists = instrument.count(effProcessEvents);
    driver.beginBlock(64);
    render(64);
    EXPECT_TRUE(instrument.events.empty());
    EXPECT_EQ(instrument.count(effProcessEvents), lists + 1);
}

TEST_F(InstrumentDriverTest, DumpsArriveCopiedAmongTheNotesAtTheirOffsetsAndTooManyAreRefused)
{
    // Master fine tuning, then a note in the same frame: the dump keeps its place before the note.
    unsigned char tuning[] = {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x00, 0x50, 0xF7};
    const std::vector<unsigned char> sent(std::begin(tuning), std::end(tuning));
    driver.beginBlock(512);
    EXPECT_TRUE(driver.addMidi(300, 0x90, 60, 100));
    EXPECT_TRUE(driver.addSysex(260, tuning, sizeof tuning));
    EXPECT_TRUE(driver.addMidi(260, 0x90, 61, 100));
    // The host's buffer is its own again once the event is added.
    std::memset(tuning, 0, sizeof tuning);
    EXPECT_FALSE(driver.addSysex(512, tuning, sizeof tuning));
    EXPECT_FALSE(driver.addSysex(0, tuning, 0));
    EXPECT_FALSE(driver.addSysex(0, nullptr, 8));
    render(512);
    ASSERT_EQ(instrument.events.size(), 3u);
    EXPECT_EQ(instrument.events[0].piece, 1);
    EXPECT_EQ(instrument.events[0].offset, 4);
    EXPECT_EQ(instrument.events[0].status, 0xF0);
    EXPECT_EQ(instrument.events[0].dump, sent);
    EXPECT_EQ(instrument.events[1].key, 61);
    EXPECT_EQ(instrument.events[2].offset, 44);
    EXPECT_EQ(driver.takeRefusedEvents(), 3);

    // A block takes 64 dumps, in all no more bytes than its store holds.
    instrument.events.clear();
    driver.beginBlock(64);
    int taken = 0;
    while (driver.addSysex(1, sent.data(), sent.size()))
        ++taken;
    EXPECT_EQ(taken, BlockEvents::kSysexCapacity);
    EXPECT_TRUE(driver.addMidi(0, 0x90, 62, 100));
    const std::vector<unsigned char> large(BlockEvents::kSysexByteCapacity / 2 + 1, 0x10);
    driver.beginBlock(64);
    EXPECT_TRUE(driver.addSysex(0, large.data(), large.size()));
    EXPECT_FALSE(driver.addSysex(0, large.data(), large.size()));
    EXPECT_TRUE(driver.addSysex(0, sent.data(), sent.size()));
    render(64);
    ASSERT_EQ(instrument.events.size(), 2u);
    EXPECT_EQ(instrument.events[0].dump, large);
    EXPECT_EQ(instrument.events[1].dump, sent);
}

TEST_F(InstrumentDriverTest, ParametersOutsideTheirRangeOrIndicesAreRefused)
{
    const struct
    {
        int index;
        float value;
        bool taken;
    } cases[] = {{0, 0.0f, true},
                 {2, 1.0f, true},
                 {3, 0.5f, false},
                 {-1, 0.5f, false},
                 {1, 1.0001f, false},
                 {1, -0.0001f, false},
                 {1, std::numeric_limits<float>::quiet_NaN(), false},
                 {1, std::numeric_limits<float>::infinity(), false}};
    for (const auto& c : cases)
    {
        instrument.parametersSet.clear();
        EXPECT_EQ(driver.setParameter(c.index, c.value), c.taken) << c.index << " " << c.value;
        EXPECT_EQ(instrument.parametersSet.size(), c.taken ? 1u : 0u) << c.index << " " << c.value;
    }
}

TEST_F(InstrumentDriverTest, AStateOfAnotherSizeOrVersionIsRefusedWithNothingChanged)
{
    const std::vector<uint8_t> own = driver.state();
    ASSERT_EQ(own.size(), 8u);
    std::vector<uint8_t> newer = own;
    newer[0] = 2;
    std::vector<uint8_t> changed = own;
    changed[7] = 1;
    const struct
    {
        const char* what;
        std::vector<uint8_t> bytes;
        bool taken;
    } cases[] = {{"one byte short", std::vector<uint8_t>(own.begin(), own.end() - 1), false},
                 {"one byte long",
                  [&]
                  {
                      auto b = own;
                      b.push_back(0);
                      return b;
                  }(),
                  false},
                 {"empty", {}, false},
                 {"another version", newer, false},
                 {"the same size and version", changed, true}};
    for (const auto& c : cases)
    {
        const int before = instrument.chunksTaken;
        EXPECT_EQ(driver.setState(c.bytes.data(), c.bytes.size()), c.taken) << c.what;
        EXPECT_EQ(instrument.chunksTaken - before, c.taken ? 1 : 0) << c.what;
    }
    EXPECT_EQ(driver.state(), changed);
}

TEST_F(InstrumentDriverTest, TheInstrumentsCallbacksReachTheFormat)
{
    EXPECT_EQ(instrument.callHost(audioMasterVersion), kVstVersion);
    EXPECT_EQ(instrument.callHost(audioMasterGetSampleRate), 48000);
    EXPECT_EQ(instrument.callHost(audioMasterGetBlockSize), 256);
    instrument.callHost(audioMasterAutomate, 1, 0, nullptr, 0.625f);
    EXPECT_EQ(format.edits, (std::vector<std::pair<int, float>>{{1, 0.625f}}));
    // The stand-in's delay moved when the driver told it the rate (5 ms of 48 kHz), by hand, and with a new
    // rate; the same rate again moves nothing.
    instrument.effect.initialDelay = 480;
    instrument.callHost(audioMasterIOChanged);
    EXPECT_EQ(driver.latency(), 480);
    ASSERT_TRUE(driver.setSampleRate(44100.0));
    ASSERT_TRUE(driver.setSampleRate(44100.0));
    EXPECT_FALSE(driver.setSampleRate(0.0));
    EXPECT_FALSE(driver.setSampleRate(std::nan("")));
    EXPECT_EQ(format.latencies, (std::vector<int>{240, 480, 220}));
    EXPECT_EQ(instrument.callHost(audioMasterSizeWindow, 800, 576), 1);
    EXPECT_EQ(format.sizes, (std::vector<std::pair<int, int>>{{800, 576}}));
}

TEST_F(InstrumentDriverTest, TheTimeInfoIsTheFormatsTransportMarkedChangedWhenPlayingStartsOrStops)
{
    const auto timeInfo = [&]
    { return *reinterpret_cast<VstTimeInfo*>(instrument.callHost(audioMasterGetTime)); };
    VstTimeInfo rolling{};
    rolling.samplePos = 96000.0;
    rolling.tempo = 120.0;
    rolling.ppqPos = 4.0;
    rolling.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid;
    const struct
    {
        bool playing;
        bool changed;
    } blocks[] = {{true, true}, {true, false}, {false, true}, {false, false}};
    for (const auto& block : blocks)
    {
        VstTimeInfo info = rolling;
        if (!block.playing)
            info.flags &= ~kVstTransportPlaying;
        driver.setTransport(info);
        const VstTimeInfo seen = timeInfo();
        EXPECT_EQ(seen.sampleRate, 48000.0);
        EXPECT_EQ(seen.samplePos, 96000.0);
        EXPECT_EQ((seen.flags & kVstTransportChanged) != 0, block.changed);
        EXPECT_EQ((seen.flags & kVstTransportPlaying) != 0, block.playing);
    }
    // A piece later in the block sees the transport moved on: 256 frames at 48 kHz and 120 bpm is 0.32 beats.
    driver.setTransport(rolling);
    driver.beginBlock(512);
    render(512);
    EXPECT_DOUBLE_EQ(timeInfo().samplePos, 96512.0);
    EXPECT_NEAR(timeInfo().ppqPos, 4.0 + 512.0 / 48000.0 * 2.0, 1e-12);
}

TEST_F(InstrumentDriverTest, TheEditorOpensOnlyInAParentWindowAndOnce)
{
    int parent = 0;
    EXPECT_FALSE(driver.openEditor(nullptr));
    EXPECT_TRUE(driver.openEditor(&parent));
    EXPECT_FALSE(driver.openEditor(&parent));
    driver.closeEditor();
    EXPECT_TRUE(driver.openEditor(&parent));
    EXPECT_EQ(instrument.count(effEditOpen), 2);
}

TEST(InstrumentDriver, AnEntryThatMakesNoInstrumentLeavesNothingToDrive)
{
    RecordingFormat format;
    InstrumentDriver driver(format);
    EXPECT_FALSE(driver.open(
        InstrumentEntry{[](audioMasterCallback) -> AEffect* { return nullptr; }, nullptr}, 44100.0, 512));
    EXPECT_FALSE(driver.isOpen());
    driver.beginBlock(16);
    EXPECT_FALSE(driver.setParameter(0, 0.5f));
    EXPECT_TRUE(driver.state().empty());
}

} // namespace
