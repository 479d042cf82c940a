// The host's transport as LV2 hosts send it (time:Position objects with the number types hosts use), and as
// the instrument's time requests see it, carried forward between positions.
#include <gtest/gtest.h>

#include <lv2/atom/forge.h>
#include <lv2/time/time.h>

#include <functional>
#include <vector>

#include "formathost/Lv2UridMap.h"
#include "host/lv2/Lv2Transport.h"

using namespace host;

namespace
{
class Lv2TransportTest : public ::testing::Test
{
protected:
    void SetUp() override { uris.map(*map.mapFeature()); }

    // A time:Position object with the given properties, written by the atom forge as hosts write it.
    const LV2_Atom_Object* position(const std::function<void(LV2_Atom_Forge&)>& properties,
                                    const char* type = LV2_TIME__Position)
    {
        buffer.assign(1024, 0);
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, map.mapFeature());
        lv2_atom_forge_set_buffer(&forge, buffer.data(), buffer.size());
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_object(&forge, &frame, 0, map.map(type));
        properties(forge);
        lv2_atom_forge_pop(&forge, &frame);
        return reinterpret_cast<const LV2_Atom_Object*>(buffer.data());
    }
    LV2_URID uri(const char* text) { return map.map(text); }

    formathost::Lv2UridMap map;
    Lv2Urids uris;
    Lv2Transport transport{uris};
    std::vector<uint8_t> buffer;
};

TEST_F(Lv2TransportTest, APositionGivesTheFramePlayingTempoAndBeatInQuarterNotes)
{
    // Bar 2, beat 1.5 in 6/8 at 90 beats a minute, rolling: 2 bars of 3 quarter notes, then 0.75.
    ASSERT_TRUE(transport.read(position(
        [&](LV2_Atom_Forge& forge)
        {
            lv2_atom_forge_key(&forge, uri(LV2_TIME__frame));
            lv2_atom_forge_long(&forge, 88200);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__speed));
            lv2_atom_forge_float(&forge, 1.0f);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__beatsPerMinute));
            lv2_atom_forge_float(&forge, 90.0f);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__beatsPerBar));
            lv2_atom_forge_float(&forge, 6.0f);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__beatUnit));
            lv2_atom_forge_int(&forge, 8);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__bar));
            lv2_atom_forge_long(&forge, 2);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__barBeat));
            lv2_atom_forge_double(&forge, 1.5);
        })));
    const VstTimeInfo& info = transport.info();
    EXPECT_EQ(info.samplePos, 88200.0);
    EXPECT_EQ(info.tempo, 90.0);
    EXPECT_DOUBLE_EQ(info.barStartPos, 6.0);
    EXPECT_DOUBLE_EQ(info.ppqPos, 6.75);
    EXPECT_EQ(info.timeSigNumerator, 6);
    EXPECT_EQ(info.timeSigDenominator, 8);
    EXPECT_EQ(info.flags,
              kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstBarsValid | kVstTimeSigValid);

    // A second at 44.1 kHz and 90 beats a minute moves on 1.5 beats.
    transport.advance(44100, 44100.0);
    EXPECT_EQ(transport.info().samplePos, 132300.0);
    EXPECT_DOUBLE_EQ(transport.info().ppqPos, 8.25);
}

TEST_F(Lv2TransportTest, AStoppedTransportStandsStillAndOtherObjectsArePassedOver)
{
    ASSERT_TRUE(transport.read(position(
        [&](LV2_Atom_Forge& forge)
        {
            lv2_atom_forge_key(&forge, uri(LV2_TIME__frame));
            lv2_atom_forge_long(&forge, 1000);
            lv2_atom_forge_key(&forge, uri(LV2_TIME__speed));
            lv2_atom_forge_double(&forge, 0.0);
        })));
    transport.advance(512, 48000.0);
    EXPECT_EQ(transport.info().samplePos, 1000.0);
    EXPECT_EQ(transport.info().flags & kVstTransportPlaying, 0);

    EXPECT_FALSE(transport.read(position(
        [&](LV2_Atom_Forge& forge)
        {
            lv2_atom_forge_key(&forge, uri(LV2_TIME__frame));
            lv2_atom_forge_long(&forge, 5);
        },
        "https://example.org/other")));
    // A frame that is not a number is not taken.
    EXPECT_TRUE(transport.read(position(
        [&](LV2_Atom_Forge& forge)
        {
            lv2_atom_forge_key(&forge, uri(LV2_TIME__frame));
            lv2_atom_forge_string(&forge, "soon", 4);
        })));
    EXPECT_EQ(transport.info().samplePos, 1000.0);
}

} // namespace
