#include "render/MidiFile.h"
#include "tools/SmfBytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace render;

using toolstest::Bytes;

namespace
{

// The messages as text such as "on60 off60", for readable comparisons of order.
std::string sequence(const Bytes& bytes)
{
    MidiFile file;
    EXPECT_TRUE(file.parse(bytes.data(), bytes.size())) << file.error();
    std::string text;
    for (const MidiMessage& m : file.messages())
    {
        if (!text.empty())
            text += ' ';
        if (m.isNoteOn())
            text += "on" + std::to_string(m.data1);
        else if (m.isNoteOff())
            text += "off" + std::to_string(m.data1);
        else
            text += "cc" + std::to_string(m.data1);
        if (m.track > 0)
            text += "/t" + std::to_string(m.track);
    }
    return text;
}

Bytes single(const Bytes& events)
{
    return toolstest::join({toolstest::header(0, 1, 96), toolstest::track(events)});
}

} // namespace

TEST(MidiEventOrder, RepeatedNoteReleasesBeforeItStrikesAgain)
{
    // The writer put the second strike before the release of the first, at the same tick.
    EXPECT_EQ(
        sequence(single({0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80, 0x00, 0x80, 60, 0, 0x60, 0x80, 60, 0})),
        "on60 off60 on60 off60");
}

TEST(MidiEventOrder, ReleaseInALaterTrackGoesBeforeTheStrikeInAnEarlierOne)
{
    const Bytes strikes = {0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80};
    const Bytes release = {0x60, 0x81, 60, 0};
    EXPECT_EQ(sequence(toolstest::join(
                  {toolstest::header(1, 2, 96), toolstest::track(strikes), toolstest::track(release)})),
              "on60 off60/t1 on60");
}

TEST(MidiEventOrder, NoteStartingAndEndingOnOneTickIsStillEnded)
{
    // No note sounds before tick 0, so the release belongs to this note and must stay after it.
    EXPECT_EQ(sequence(single({0x00, 0x90, 60, 80, 0x00, 0x80, 60, 0})), "on60 off60");
}

TEST(MidiEventOrder, OnlyAsManyReleasesMoveAsNotesWereSounding)
{
    // One note sounds; at tick 96 it is struck again and released twice: one release ends the old note, the
    // other ends the new one and stays after it.
    EXPECT_EQ(
        sequence(single({0x00, 0x90, 60, 80, 0x60, 0x90, 60, 80, 0x00, 0x80, 60, 0, 0x00, 0x80, 60, 0})),
        "on60 off60 on60 off60");
}

TEST(MidiEventOrder, SameTickInSeveralTracksFollowsTrackOrder)
{
    const Bytes a = {0x00, 0xB0, 64, 127, 0x00, 0x90, 48, 80};
    const Bytes b = {0x00, 0x91, 72, 80};
    const Bytes c = {0x00, 0x92, 76, 80};
    EXPECT_EQ(sequence(toolstest::join({toolstest::header(1, 3, 96), toolstest::track(c), toolstest::track(a),
                                        toolstest::track(b)})),
              "on76 cc64/t1 on48/t1 on72/t2");
}
