#include "render/MidiFile.h"
#include "tools/SmfBytes.h"

#include "tools/TextAssertions.h"

#include <gtest/gtest.h>

using namespace render;

using toolstest::Bytes;

namespace
{

// Parses bytes that must be refused; returns the message.
std::string refusal(const Bytes& bytes)
{
    MidiFile file;
    EXPECT_FALSE(file.parse(bytes.data(), bytes.size()));
    EXPECT_FALSE(file.error().empty());
    EXPECT_TRUE(file.messages().empty());
    return file.error();
}

Bytes oneTrack(const Bytes& events, uint16_t format = 0)
{
    return toolstest::join({toolstest::header(format, 1, 96), toolstest::track(events)});
}

// A header followed by a track chunk that declares length but holds only body.
Bytes declaredTrack(uint32_t length, const Bytes& body)
{
    Bytes out = toolstest::join({toolstest::header(0, 1, 96),
                                 {'M', 'T', 'r', 'k', uint8_t(length >> 24), uint8_t(length >> 16),
                                  uint8_t(length >> 8), uint8_t(length)}});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace

TEST(MidiFileDamage, EveryTruncationOfAValidFileIsRefused)
{
    const Bytes full = toolstest::join(
        {toolstest::header(1, 2, 480),
         toolstest::track(toolstest::join({toolstest::tempo(0, 400000), toolstest::endOfTrack()})),
         toolstest::track(
             {0x00, 0xF0, 2, 0x01, 0xF7, 0x00, 0x90, 60, 90, 0x83, 0x60, 60, 0, 0x00, 0xFF, 0x2F, 0x00})});
    MidiFile file;
    ASSERT_TRUE(file.parse(full.data(), full.size())) << file.error();
    for (size_t size = 0; size < full.size(); ++size)
    {
        // A copy of exactly the prefix, so the sanitizer sees any read beyond it.
        const Bytes prefix(full.begin(), full.begin() + long(size));
        EXPECT_FALSE(file.parse(prefix.data(), prefix.size())) << "prefix of " << size << " bytes";
    }
}

TEST(MidiFileDamage, EventCutOffAtTheEndOfItsTrackIsRefused)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0x90, 60})), "channel message"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xFF, 0x01, 5, 'a'})), "meta event"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0x90, 60, 1, 0x81})), "delta time"));
}

TEST(MidiFileDamage, HugeDeclaredLengthsAreRefusedWithoutReading)
{
    EXPECT_TRUE(mentions(refusal(declaredTrack(0xFFFFFFFFu, {0x00, 0x90, 60, 1})), "4294967295"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 'x'})), "268435455"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0xF7})), "system exclusive"));
    Bytes header = toolstest::header(0, 1, 96);
    header[4] = 0x7F;
    EXPECT_TRUE(mentions(refusal(toolstest::join({header, toolstest::track({})})), "header"));
}

TEST(MidiFileDamage, UnknownChunkLongerThanTheFileIsRefused)
{
    const Bytes bytes =
        toolstest::join({toolstest::header(0, 1, 96), {'J', 'U', 'N', 'K', 0x10, 0, 0, 0, 1, 2}});
    EXPECT_TRUE(mentions(refusal(bytes), "declares"));
}

TEST(MidiFileDamage, MissingTracksAreRefused)
{
    const Bytes bytes = toolstest::join({toolstest::header(1, 3, 96), toolstest::track({0x00, 0x90, 60, 1})});
    EXPECT_TRUE(mentions(refusal(bytes), "3 tracks"));
}

TEST(MidiFileDamage, DataByteWithoutStatusIsRefused)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 60, 100})), "without a status"));
}

TEST(MidiFileDamage, MetaAndSysexEndRunningStatus)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0x90, 60, 1, 0x00, 0xFF, 0x01, 0, 0x00, 62, 1})),
                         "without a status"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0x90, 60, 1, 0x00, 0xF0, 1, 0xF7, 0x00, 62, 1})),
                         "without a status"));
}

TEST(MidiFileDamage, StatusByteInsideAMessageIsRefused)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0x90, 60, 0x90, 0x00})), "data byte 0x90"));
}

TEST(MidiFileDamage, RealTimeAndCommonStatusBytesAreRefused)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xF8})), "0xF8"));
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xF3, 0x01})), "0xF3"));
}

TEST(MidiFileDamage, BadTempoEventsAreRefused)
{
    EXPECT_TRUE(mentions(refusal(oneTrack({0x00, 0xFF, 0x51, 2, 0x07, 0xA1})), "length 2"));
    EXPECT_TRUE(mentions(refusal(oneTrack(toolstest::tempo(0, 0))), "0 microseconds"));
}

TEST(MidiFileDamage, PiecesLongerThanADayAreRefused)
{
    // One tick per quarter note at the slowest tempo: the longest delta is thousands of years.
    const Bytes events =
        toolstest::join({toolstest::tempo(0, 0xFFFFFF), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}});
    EXPECT_TRUE(mentions(refusal(toolstest::join({toolstest::header(0, 1, 1), toolstest::track(events)})),
                         "24 hours"));
}
