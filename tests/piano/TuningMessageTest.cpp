#include "piano/TuningMessage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace piano;

namespace
{
using Bytes = std::vector<uint8_t>;
using Kind = TuningMessage::Kind;

bool Read(TuningMessage& message, const Bytes& dump)
{
    return message.read(dump.data(), static_cast<int>(dump.size()));
}

// A single-note change of n keys in the real-time form, to key 60 + i at 61 semitones and no fraction.
Bytes ManyKeys(int n, int count)
{
    Bytes dump = {0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00, static_cast<uint8_t>(count)};
    for (int i = 0; i < n; ++i)
        dump.insert(dump.end(), {static_cast<uint8_t>(60 + i % 60), 61, 0, 0});
    dump.push_back(0xF7);
    return dump;
}
} // namespace

// Each form the piano reads, with the values a sequencer means by it: pitches in cents above key 0, offsets
// in cents from equal temperament.
TEST(TuningMessage, ReadsEachFormWithItsValues)
{
    TuningMessage m;
    // Real-time single-note change, all devices: key 69 to A 440 exactly, key 60 a quarter semitone up;
    // 7F 7F 7F leaves key 61 alone.
    ASSERT_TRUE(Read(m, {0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00, 0x03, 69,   69,   0x00,
                         0x00, 60,   60,   0x20, 0x00, 61,   0x7F, 0x7F, 0x7F, 0xF7}));
    EXPECT_EQ(m.kind, Kind::KeyPitches);
    EXPECT_TRUE(m.sounding);
    ASSERT_EQ(m.keyCount, 2);
    EXPECT_EQ(m.keys[0], 69);
    EXPECT_EQ(m.keyCents[0], 6900.0);
    EXPECT_EQ(m.keys[1], 60);
    EXPECT_EQ(m.keyCents[1], 6025.0);

    // The bank form in its non-real-time variant, to device 0: the highest fraction below key 127's
    // no-change.
    ASSERT_TRUE(Read(m, {0xF0, 0x7E, 0x00, 0x08, 0x07, 0x00, 0x00, 0x01, 100, 0x7F, 0x7F, 0x7E, 0xF7}));
    EXPECT_EQ(m.kind, Kind::KeyPitches);
    EXPECT_FALSE(m.sounding);
    ASSERT_EQ(m.keyCount, 1);
    EXPECT_EQ(m.keyCents[0], 12700.0 + 16382.0 * 100.0 / 16384.0);

    // Octave tuning, one byte each: 40 is equal temperament, 00 is -64 cents, 7F is +63.
    ASSERT_TRUE(Read(m, {0xF0, 0x7E, 0x7F, 0x08, 0x08, 0x03, 0x7F, 0x7F, 0x40, 0x00, 0x7F,
                         0x41, 0x3F, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0xF7}));
    EXPECT_EQ(m.kind, Kind::Octave);
    EXPECT_FALSE(m.sounding);
    const double oneByte[12] = {0, -64, 63, 1, -1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(m.octaveCents[i], oneByte[i]) << i;

    // Octave tuning, two bytes each, real-time, one channel named: 00 00 is -100 cents, 40 00 none,
    // 7F 7F one step below +100.
    Bytes twoBytes = {0xF0, 0x7F, 0x7F, 0x08, 0x09, 0x00, 0x00, 0x01, 0x00, 0x00, 0x40, 0x00, 0x7F, 0x7F};
    for (int i = 3; i < 12; ++i)
        twoBytes.insert(twoBytes.end(), {0x40, 0x01});
    twoBytes.push_back(0xF7);
    ASSERT_TRUE(Read(m, twoBytes));
    EXPECT_EQ(m.kind, Kind::Octave);
    EXPECT_TRUE(m.sounding);
    EXPECT_EQ(m.octaveCents[0], -100.0);
    EXPECT_EQ(m.octaveCents[1], 0.0);
    EXPECT_EQ(m.octaveCents[2], 8191.0 * 100.0 / 8192.0);
    EXPECT_EQ(m.octaveCents[11], 100.0 / 8192.0);

    // Master fine tuning, low seven bits first: 00 40 is A 440, 00 00 is -100 cents, 4D 49 is +15.0024.
    const struct
    {
        uint8_t low, high;
        double cents;
    } fine[] = {{0x00, 0x40, 0.0}, {0x00, 0x00, -100.0}, {0x4D, 0x49, 1229.0 * 100.0 / 8192.0}};
    for (const auto& row : fine)
    {
        ASSERT_TRUE(Read(m, {0xF0, 0x7F, 0x7F, 0x04, 0x03, row.low, row.high, 0xF7}));
        EXPECT_EQ(m.kind, Kind::MasterFine);
        EXPECT_EQ(m.masterCents, row.cents);
    }

    // Master coarse tuning in semitones from the high byte; the low byte does not count.
    const struct
    {
        uint8_t low, high;
        int semitones;
    } coarse[] = {{0x00, 0x40, 0}, {0x00, 0x4C, 12}, {0x7F, 0x00, -64}, {0x00, 0x7F, 63}};
    for (const auto& row : coarse)
    {
        ASSERT_TRUE(Read(m, {0xF0, 0x7F, 0x00, 0x04, 0x04, row.low, row.high, 0xF7}));
        EXPECT_EQ(m.kind, Kind::MasterCoarse);
        EXPECT_EQ(m.masterSemitones, row.semitones);
    }

    // 127 changes, the most a message holds.
    ASSERT_TRUE(Read(m, ManyKeys(127, 127)));
    EXPECT_EQ(m.keyCount, 127);
}

// Every dump that is not a whole, well-formed tuning message for the piano is left alone.
TEST(TuningMessage, RejectsEveryOtherDump)
{
    const Bytes fine = {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x00, 0x40, 0xF7};
    const Bytes single = {0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00, 0x01, 69, 69, 0x00, 0x00, 0xF7};
    const Bytes octave = {0xF0, 0x7F, 0x7F, 0x08, 0x08, 0x00, 0x00, 0x01, 0x40, 0x40, 0x40,
                          0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0xF7};
    const auto with = [](Bytes dump, size_t at, uint8_t value)
    {
        dump[at] = value;
        return dump;
    };
    const auto without = [](Bytes dump, size_t at)
    {
        dump.erase(dump.begin() + static_cast<long>(at));
        return dump;
    };
    const auto inserted = [](Bytes dump, size_t at, uint8_t value)
    {
        dump.insert(dump.begin() + static_cast<long>(at), value);
        return dump;
    };
    const struct
    {
        const char* what;
        Bytes dump;
    } cases[] = {
        {"empty", {}},
        {"only the start", {0xF0}},
        {"cut short before its end", without(fine, fine.size() - 1)},
        {"a single-note change cut short", Bytes(single.begin(), single.end() - 3)},
        {"no start byte", with(fine, 0, 0x00)},
        {"ends in a data byte", with(single, single.size() - 1, 0x00)},
        {"a status byte inside", with(single, 9, 0x90)},
        {"an end byte inside", with(single, 8, 0xF7)},
        {"bytes after its end", inserted(fine, fine.size(), 0x00)},
        {"a manufacturer's dump", with(fine, 1, 0x41)},
        {"another device", with(fine, 2, 0x10)},
        {"device 126", with(fine, 2, 0x7E)},
        {"master volume", with(fine, 4, 0x01)},
        {"master fine tuning in the non-real-time form", with(fine, 1, 0x7E)},
        {"master fine tuning with a third data byte", inserted(fine, 7, 0x00)},
        {"master coarse tuning with one data byte", without(with(fine, 4, 0x04), 5)},
        {"a bulk tuning dump", with(single, 4, 0x01)},
        {"a dump request", {0xF0, 0x7E, 0x7F, 0x08, 0x00, 0x00, 0xF7}},
        {"general MIDI on", {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},
        {"a single-note change in the non-real-time form", with(single, 1, 0x7E)},
        {"a single-note change to tuning program 1", with(single, 5, 0x01)},
        {"a count larger than its changes", with(single, 6, 0x02)},
        {"a count of no changes", {0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00, 0x00, 0xF7}},
        {"a change short of a byte", without(single, 10)},
        {"a checksum after the changes", inserted(single, 11, 0x2B)},
        {"only 7F 7F 7F changes", with(with(with(single, 8, 0x7F), 9, 0x7F), 10, 0x7F)},
        {"the bank form for tuning bank 1",
         {0xF0, 0x7F, 0x7F, 0x08, 0x07, 0x01, 0x00, 0x01, 69, 69, 0x00, 0x00, 0xF7}},
        {"the bank form without its changes", {0xF0, 0x7F, 0x7F, 0x08, 0x07, 0x00, 0x00, 0xF7}},
        {"an octave tuning that names no channel", with(octave, 7, 0x00)},
        {"an octave tuning's mask with a bit above channel 16", with(octave, 5, 0x04)},
        {"an octave tuning of eleven offsets", without(octave, 8)},
        {"an octave tuning of thirteen offsets", inserted(octave, 8, 0x40)},
        {"the two-byte octave form with one byte each", with(octave, 4, 0x09)},
        {"a single-note change of 128 keys", ManyKeys(128, 127)},
        {"a dump of 70000 bytes", inserted(Bytes(70000, 0x00), 0, 0xF0)},
    };
    for (const auto& row : cases)
    {
        TuningMessage m;
        EXPECT_FALSE(Read(m, row.dump)) << row.what;
        EXPECT_EQ(m.kind, Kind::None) << row.what;
    }
    TuningMessage m;
    EXPECT_FALSE(m.read(nullptr, 8));
    EXPECT_FALSE(m.read(fine.data(), -1));
    // The dumps the rows were made from are read.
    for (const Bytes* dump : {&fine, &single, &octave})
        EXPECT_TRUE(Read(m, *dump));
}
