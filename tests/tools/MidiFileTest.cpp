#include "render/MidiFile.h"
#include "tools/SmfBytes.h"
#include "tools/TempPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace render;
using namespace toolstest;

namespace
{

MidiFile parsed(const Bytes& bytes)
{
    MidiFile file;
    EXPECT_TRUE(file.parse(bytes.data(), bytes.size())) << file.error();
    return file;
}

// VLQ of 480 and 960.
const uint8_t d480[] = {0x83, 0x60};
const uint8_t d960[] = {0x87, 0x40};

} // namespace

TEST(MidiFileTiming, DefaultTempoIs120BeatsPerMinute)
{
    const MidiFile file = parsed(toolstest::file(
        0, 480, {join({{0x00, 0x90, 60, 100, d480[0], d480[1], 0x80, 60, 64}, endOfTrack()})}));
    ASSERT_EQ(file.messages().size(), 2u);
    EXPECT_EQ(file.timeUnitsPerSecond(), 480u * 1000000u);
    EXPECT_EQ(file.messages()[1].tick, 480u);
    EXPECT_EQ(file.messages()[1].timeUnits, 480u * 500000u);
    EXPECT_DOUBLE_EQ(file.messages()[1].seconds, 0.5);
    EXPECT_EQ(file.messages()[1].packed(), 0x80u | (60u << 8) | (64u << 16));
}

TEST(MidiFileTiming, TempoChangeInFirstTrackTimesNotesOfOtherTracks)
{
    // Track 0: 120 bpm, then 240 bpm from tick 960. Track 1: notes at 480, 960 and 1440.
    const Bytes tempoTrack = join({tempo(0, 500000), {d960[0], d960[1], 0xFF, 0x51, 3, 0x03, 0xD0, 0x90}});
    const Bytes notes = {d480[0], d480[1], 0x90, 60, 90, d480[0], d480[1], 0x90, 62,  90,
                         d480[0], d480[1], 0x90, 64, 90, 0x00,    0xFF,    0x2F, 0x00};
    const MidiFile file = parsed(toolstest::file(1, 480, {tempoTrack, notes}));
    ASSERT_EQ(file.messages().size(), 3u);
    EXPECT_DOUBLE_EQ(file.messages()[0].seconds, 0.5);
    EXPECT_DOUBLE_EQ(file.messages()[1].seconds, 1.0);
    EXPECT_DOUBLE_EQ(file.messages()[2].seconds, 1.25);
    EXPECT_EQ(file.messages()[2].timeUnits, 960u * 500000u + 480u * 250000u);
    EXPECT_DOUBLE_EQ(file.durationSeconds(), 1.25);
}

TEST(MidiFileTiming, TempoChangesInAnyTrackFormOneMap)
{
    // The slowdown to 1 s per quarter from tick 480 lies in track 2 although track 1 holds the notes.
    const Bytes notes = {0x00, 0x90, 60, 90, d960[0], d960[1], 0x90, 62, 90};
    const MidiFile file = parsed(
        toolstest::file(1, 480, {endOfTrack(), notes, {d480[0], d480[1], 0xFF, 0x51, 3, 0x0F, 0x42, 0x40}}));
    ASSERT_EQ(file.messages().size(), 2u);
    EXPECT_DOUBLE_EQ(file.messages()[1].seconds, 0.5 + 1.0);
}

TEST(MidiFileTiming, SmpteDivisionCountsTicksPerFrameAndIgnoresTempo)
{
    // 25 frames per second, 40 ticks per frame: 1000 ticks per second; the note lies at tick 500.
    const uint16_t division = uint16_t((uint8_t(-25) << 8) | 40);
    const MidiFile file =
        parsed(toolstest::file(0, division, {join({tempo(0, 250000), {0x83, 0x74, 0x90, 60, 1}})}));
    ASSERT_EQ(file.messages().size(), 1u);
    EXPECT_DOUBLE_EQ(file.messages()[0].seconds, 0.5);
}

TEST(MidiFileEvents, RunningStatusRepeatsTheLastStatus)
{
    // Note on, then two more under running status (the second a velocity-0 release), then a program change
    // and its own running status with one data byte.
    const MidiFile file = parsed(
        toolstest::file(0, 96, {{0x00, 0x91, 60, 80, 0x00, 64, 81, 0x10, 60, 0, 0x00, 0xC1, 5, 0x00, 6}}));
    ASSERT_EQ(file.messages().size(), 5u);
    EXPECT_EQ(file.messages()[1].packed(), 0x91u | (64u << 8) | (81u << 16));
    EXPECT_TRUE(file.messages()[2].isNoteOff());
    EXPECT_EQ(file.messages()[2].tick, 16u);
    EXPECT_EQ(file.messages()[3].packed(), 0xC1u | (5u << 8));
    EXPECT_EQ(file.messages()[4].packed(), 0xC1u | (6u << 8));
}

TEST(MidiFileEvents, MetaSysexAndWhatFollowsTheEndOfTrackAreSkipped)
{
    // A text event whose body looks like a note, a sysex, an escape, a real controller, the end of the track
    // and a note after it.
    const MidiFile file =
        parsed(toolstest::file(0, 96,
                               {join({{0x00, 0xFF, 0x01, 3,    0x90, 60,   100,  0x00, 0xF0, 3,  0x7E,
                                       0x90, 0xF7, 0x00, 0xF7, 2,    0xF3, 0x01, 0x00, 0xB0, 64, 127},
                                      endOfTrack(),
                                      {0x00, 0x90, 62, 1, 0x55}})}));
    ASSERT_EQ(file.messages().size(), 1u);
    EXPECT_EQ(file.messages()[0].packed(), 0xB0u | (64u << 8) | (127u << 16));
}

TEST(MidiFileStructure, DirectoriesAndOversizedFilesAreRefused)
{
    MidiFile file;
    EXPECT_FALSE(file.load(::testing::TempDir()));
    EXPECT_FALSE(file.error().empty());

    const std::string path = tempPath(".mid");
    {
        // A valid start, then more than 16 MB of padding in an unknown chunk.
        std::ofstream out(path, std::ios::binary);
        const Bytes start = header(0, 1, 96);
        out.write(reinterpret_cast<const char*>(start.data()), std::streamsize(start.size()));
        const std::string padding(1 << 20, '\0');
        for (int i = 0; i < 17; ++i)
            out << padding;
    }
    EXPECT_FALSE(file.load(path));
    EXPECT_NE(file.error().find("larger than 16 MB"), std::string::npos) << file.error();
    std::remove(path.c_str());
}
