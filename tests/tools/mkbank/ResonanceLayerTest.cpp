#include <gtest/gtest.h>

#include "ResonanceLayer.h"
#include "SoundFontNumbers.h"
#include "TestBank.h"
#include "ZoneGenerators.h"

namespace {

using engine::SoundFontPreset;
using engine::SoundFontZone;
using engine_test::Gen;
using engine_test::Mod;
using engine_test::Range;
using mkbank::ResonanceLayer;
using mkbank::ZoneGenerators;

SoundFontPreset TwoZonePiano() {
    SoundFontPreset preset;
    preset.zones.push_back(SoundFontZone{
        {Range(mkbank::kGenKeyRange, 0, 59), Range(mkbank::kGenVelRange, 1, 90),
         Gen(mkbank::kGenAttackVolEnv, -7973), Gen(mkbank::kGenInitialAttenuation, 30),
         Gen(mkbank::kGenInstrument, 0)},
        {Mod(0x502, 48, 700)}});
    preset.zones.push_back(SoundFontZone{
        {Range(mkbank::kGenKeyRange, 60, 120), Gen(mkbank::kGenInstrument, 1)}, {}});
    return preset;
}

int Amount(SoundFontZone& zone, uint16_t oper) {
    const auto* gen = ZoneGenerators(zone).find(oper);
    return gen ? gen->signedAmount() : 0;
}

TEST(ResonanceLayerTest, EveryPianoZoneGetsATwinOnTheSameKeysVelocitiesAndInstrument) {
    SoundFontPreset preset = TwoZonePiano();
    ResonanceLayer::addTo(preset);
    ASSERT_EQ(preset.zones.size(), 4u);
    for (size_t z = 0; z < 2; ++z) {
        const SoundFontZone& piano = preset.zones[z];
        const SoundFontZone& twin = preset.zones[z + 2];
        EXPECT_EQ(twin.generators.front().oper, mkbank::kGenKeyRange);
        EXPECT_EQ(twin.generators.front().amount, piano.generators.front().amount);
        EXPECT_EQ(twin.generators.back().oper, mkbank::kGenInstrument);
        EXPECT_EQ(twin.generators.back().amount, piano.generators.back().amount);
    }
    EXPECT_EQ(preset.zones[2].generators[1].oper, mkbank::kGenVelRange);
    EXPECT_EQ(preset.zones[2].generators[1].amount, preset.zones[0].generators[1].amount);
}

TEST(ResonanceLayerTest, TwinSwellsSlowerRingsLongerAndSoundsDarker) {
    SoundFontPreset preset = TwoZonePiano();
    ResonanceLayer::addTo(preset);
    SoundFontZone& twin = preset.zones[2];
    EXPECT_EQ(Amount(twin, mkbank::kGenAttackVolEnv), -7973 + 8400);
    EXPECT_EQ(Amount(twin, mkbank::kGenInitialAttenuation), 30 + 50);
    EXPECT_EQ(Amount(twin, mkbank::kGenDecayVolEnv), 1200);
    EXPECT_EQ(Amount(twin, mkbank::kGenReleaseVolEnv), 1200);
    EXPECT_EQ(Amount(twin, mkbank::kGenInitialFilterFc), -1800);
    SoundFontZone& plain = preset.zones[3];
    EXPECT_EQ(Amount(plain, mkbank::kGenAttackVolEnv), 8400);
    EXPECT_EQ(Amount(plain, mkbank::kGenInitialAttenuation), 50);
}

TEST(ResonanceLayerTest, ControllersTwentyOneAndTwentyTwoDriveTheTwinsAttenuation) {
    SoundFontPreset preset = TwoZonePiano();
    ResonanceLayer::addTo(preset);
    for (size_t z = 2; z < 4; ++z) {
        int level = 0, squared = 0;
        std::vector<int> controllers;
        for (const auto& mod : preset.zones[z].modulators) {
            if ((mod.source & 0x80) == 0) continue;  // the piano's own velocity modulator
            controllers.push_back(mod.source & 0x7F);
            // Controller source, unipolar, falling, concave; to the attenuation, full depth.
            EXPECT_EQ(mod.source & 0xFF80, 0x80 | 0x100 | (1 << 10));
            EXPECT_EQ(mod.destination, mkbank::kGenInitialAttenuation);
            EXPECT_EQ(mod.amount, 960);
            EXPECT_EQ(mod.transform, 0);
            if (mod.amountSource == 0) {
                ++level;
            } else {
                EXPECT_EQ(mod.amountSource, mod.source);
                ++squared;
            }
        }
        EXPECT_EQ(controllers, (std::vector<int>{21, 21, 22, 22}));
        EXPECT_EQ(level, 2);
        EXPECT_EQ(squared, 2);
    }
}

TEST(ResonanceLayerTest, AnIdenticalModulatorInThePianoZoneIsReplacedNotDoubled) {
    SoundFontPreset preset;
    const auto own = ResonanceLayer::controllerModulator(21, false);
    preset.zones.push_back(SoundFontZone{
        {Gen(mkbank::kGenInstrument, 0)}, {Mod(own.source, own.destination, 100)}});
    ResonanceLayer::addTo(preset);
    ASSERT_EQ(preset.zones.size(), 2u);
    EXPECT_EQ(preset.zones[1].modulators.size(), 4u);
    EXPECT_EQ(preset.zones[1].modulators[0].amount, 960);
}

}  // namespace
