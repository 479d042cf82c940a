#include "render/MidiFile.h"
#include "tools/SmfBytes.h"

#include "tools/TextAssertions.h"

#include <gtest/gtest.h>

using namespace render;
using namespace toolstest;

TEST(MidiFileDamage, EveryTruncationOfAValidFileIsRefused)
{
    const Bytes full =
        file(1, 480,
             {join({tempo(0, 400000), endOfTrack()}),
              {0x00, 0xF0, 2, 0x01, 0xF7, 0x00, 0x90, 60, 90, 0x83, 0x60, 60, 0, 0x00, 0xFF, 0x2F, 0x00}});
    MidiFile midi;
    ASSERT_TRUE(midi.parse(full.data(), full.size())) << midi.error();
    for (size_t size = 0; size < full.size(); ++size)
    {
        // A copy of exactly the prefix, so the sanitizer sees any read beyond it.
        const Bytes prefix(full.begin(), full.begin() + long(size));
        EXPECT_FALSE(midi.parse(prefix.data(), prefix.size())) << "prefix of " << size << " bytes";
    }
}

TEST(MidiFileDamage, DamagedFilesAreRefusedWithTheFault)
{
    Bytes longHeader = header(0, 1, 96);
    longHeader[4] = 0x7F;
    const struct
    {
        Bytes bytes;
        const char* fault;
    } cases[] = {
        // Events cut off at the end of their track.
        {file(0, 96, {{0x00, 0x90, 60}}), "channel message"},
        {file(0, 96, {{0x00, 0xFF, 0x01, 5, 'a'}}), "meta event"},
        {file(0, 96, {{0x00, 0x90, 60, 1, 0x81}}), "delta time"},
        // Huge declared lengths, refused without reading.
        {join({header(0, 1, 96), chunk("MTrk", {0x00, 0x90, 60, 1}, 0xFFFFFFFFu)}), "4294967295"},
        {file(0, 96, {{0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}}), "268435455"},
        {file(0, 96, {{0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0xF7}}), "system exclusive"},
        {join({longHeader, track({})}), "header"},
        {join({header(0, 1, 96), chunk("JUNK", {1, 2}, 0x10000000)}), "declares"},
        {join({header(1, 3, 96), track({0x00, 0x90, 60, 1})}), "3 tracks"},
        // Status bytes missing, misplaced or not allowed in a file; meta and sysex end running status.
        {file(0, 96, {{0x00, 60, 100}}), "without a status"},
        {file(0, 96, {{0x00, 0x90, 60, 1, 0x00, 0xFF, 0x01, 0, 0x00, 62, 1}}), "without a status"},
        {file(0, 96, {{0x00, 0x90, 60, 1, 0x00, 0xF0, 1, 0xF7, 0x00, 62, 1}}), "without a status"},
        {file(0, 96, {{0x00, 0x90, 60, 0x90, 0x00}}), "data byte 0x90"},
        {file(0, 96, {{0x00, 0xF8}}), "0xF8"},
        {file(0, 96, {{0x00, 0xF3, 0x01}}), "0xF3"},
        // Bad tempos, and one tick per quarter at the slowest tempo: thousands of years.
        {file(0, 96, {{0x00, 0xFF, 0x51, 2, 0x07, 0xA1}}), "length 2"},
        {file(0, 96, {tempo(0, 0)}), "0 microseconds"},
        {file(0, 1, {join({tempo(0, 0xFFFFFF), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}})}), "24 hours"},
    };
    for (const auto& c : cases)
    {
        MidiFile midi;
        EXPECT_FALSE(midi.parse(c.bytes.data(), c.bytes.size())) << c.fault;
        EXPECT_TRUE(mentions(midi.error(), c.fault));
        EXPECT_TRUE(midi.messages().empty()) << c.fault;
    }
}
