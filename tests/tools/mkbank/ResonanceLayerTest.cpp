#include <gtest/gtest.h>

#include "engine/TestBank.h"
#include "mkbank/ResonanceLayer.h"
#include "mkbank/SoundFontNumbers.h"
#include "mkbank/ZoneGenerators.h"

using namespace engine;
using namespace mkbank;

namespace
{

using engine::SoundFontInstrument;
using engine::SoundFontPreset;
using engine::SoundFontZone;
using enginetest::Gen;
using enginetest::Mod;
using enginetest::Range;
using mkbank::BankImage;
using mkbank::ResonanceLayer;
using mkbank::ZoneGenerators;

// Two piano zones over one stereo instrument (pan in its global zone) and one mono instrument.
BankImage TwoZonePiano()
{
    BankImage bank;
    bank.data.samples.resize(3);
    bank.data.samples[0].sampleType = engine::kSampleLeft;
    bank.data.samples[0].sampleLink = 1;
    bank.data.samples[1].sampleType = engine::kSampleRight;
    bank.data.samples[1].sampleLink = 0;
    SoundFontInstrument stereo;
    stereo.name = "Stereo Piano Low Keys";
    stereo.zones.push_back(SoundFontZone{{Gen(engine::kGenPan, -500)}, {}});
    stereo.zones.push_back(SoundFontZone{{Gen(engine::kGenSampleId, 0)}, {}});
    stereo.zones.push_back(SoundFontZone{{Gen(engine::kGenPan, 500), Gen(engine::kGenSampleId, 1)}, {}});
    SoundFontInstrument mono;
    mono.name = "Mono";
    mono.zones.push_back(SoundFontZone{{Gen(engine::kGenSampleId, 2)}, {}});
    bank.data.instruments = {stereo, mono};
    SoundFontPreset preset;
    preset.zones.push_back(
        SoundFontZone{{Range(engine::kGenKeyRange, 0, 59), Range(engine::kGenVelRange, 1, 90),
                       Gen(engine::kGenAttackVolEnv, -7973), Gen(engine::kGenInitialAttenuation, 30),
                       Gen(engine::kGenInstrument, 0)},
                      {Mod(0x502, 48, 700)}});
    preset.zones.push_back(
        SoundFontZone{{Range(engine::kGenKeyRange, 60, 120), Gen(engine::kGenInstrument, 1)}, {}});
    bank.data.presets.push_back(preset);
    return bank;
}

int Amount(SoundFontZone& zone, uint16_t oper)
{
    const auto* gen = ZoneGenerators(zone).find(oper);
    return gen ? gen->signedAmount() : 0;
}

TEST(ResonanceLayerTest, EveryPianoZoneGetsATwinOnTheSameKeysAndVelocities)
{
    BankImage bank = TwoZonePiano();
    ResonanceLayer::addTo(bank);
    const auto& zones = bank.data.presets[0].zones;
    ASSERT_EQ(zones.size(), 4u);
    for (size_t z = 0; z < 2; ++z)
    {
        EXPECT_EQ(zones[z + 2].generators.front().oper, engine::kGenKeyRange);
        EXPECT_EQ(zones[z + 2].generators.front().amount, zones[z].generators.front().amount);
        // The piano zones keep their instruments; the twins play the resonance copies.
        EXPECT_EQ(zones[z].generators.back().amount, z);
        EXPECT_EQ(zones[z + 2].generators.back().oper, engine::kGenInstrument);
        EXPECT_EQ(zones[z + 2].generators.back().amount, z + 2);
    }
    EXPECT_EQ(zones[2].generators[1].oper, engine::kGenVelRange);
    EXPECT_EQ(zones[2].generators[1].amount, zones[0].generators[1].amount);
}

TEST(ResonanceLayerTest, ResonanceInstrumentsPlayOneCentredSampleOfEachStereoPair)
{
    BankImage bank = TwoZonePiano();
    ResonanceLayer::addTo(bank);
    ASSERT_EQ(bank.data.instruments.size(), 4u);
    const auto& stereo = bank.data.instruments[2];
    EXPECT_EQ(stereo.name, "Stereo Piano Low Key"); // 20 characters at most
    ASSERT_EQ(stereo.zones.size(), 2u);             // global zone and the left sample
    EXPECT_EQ(stereo.zones[1].generators.back().amount, 0);
    SoundFontZone left = stereo.zones[1];
    EXPECT_EQ(Amount(left, engine::kGenPan), 0);
    auto mono = bank.data.instruments[3];
    EXPECT_EQ(mono.name, "Mono Res");
    ASSERT_EQ(mono.zones.size(), 1u);
    EXPECT_EQ(mono.zones[0].generators.back().amount, 2);
    // The piano's own instruments are unchanged.
    EXPECT_EQ(bank.data.instruments[0].zones.size(), 3u);
}

TEST(ResonanceLayerTest, AnInstrumentUsedTwiceGetsOneResonanceCopy)
{
    BankImage bank = TwoZonePiano();
    bank.data.presets[0].zones[1].generators.back().amount = 0;
    ResonanceLayer::addTo(bank);
    EXPECT_EQ(bank.data.instruments.size(), 3u);
    EXPECT_EQ(bank.data.presets[0].zones[2].generators.back().amount, 2);
    EXPECT_EQ(bank.data.presets[0].zones[3].generators.back().amount, 2);
}

TEST(ResonanceLayerTest, TwinSwellsSlowerRingsLongerAndSoundsDarker)
{
    BankImage bank = TwoZonePiano();
    ResonanceLayer::addTo(bank);
    SoundFontZone& twin = bank.data.presets[0].zones[2];
    EXPECT_EQ(Amount(twin, engine::kGenAttackVolEnv), -7973 + 8400);
    EXPECT_EQ(Amount(twin, engine::kGenInitialAttenuation), 30);
    EXPECT_EQ(Amount(twin, engine::kGenDecayVolEnv), 1200);
    EXPECT_EQ(Amount(twin, engine::kGenReleaseVolEnv), 1200);
    EXPECT_EQ(Amount(twin, engine::kGenInitialFilterFc), -1800);
    SoundFontZone& plain = bank.data.presets[0].zones[3];
    EXPECT_EQ(Amount(plain, engine::kGenAttackVolEnv), 8400);
    EXPECT_EQ(ZoneGenerators(plain).find(engine::kGenInitialAttenuation), nullptr);
}

TEST(ResonanceLayerTest, ControllersTwentyOneAndTwentyTwoDriveTheTwinsAttenuation)
{
    BankImage bank = TwoZonePiano();
    ResonanceLayer::addTo(bank);
    for (size_t z = 2; z < 4; ++z)
    {
        int level = 0, squared = 0;
        std::vector<int> controllers;
        for (const auto& mod : bank.data.presets[0].zones[z].modulators)
        {
            if ((mod.source & 0x80) == 0)
                continue; // the piano's own velocity modulator
            controllers.push_back(mod.source & 0x7F);
            // Controller source, unipolar, falling, concave; to the attenuation, full depth.
            EXPECT_EQ(mod.source & 0xFF80, 0x80 | 0x100 | (1 << 10));
            EXPECT_EQ(mod.destination, engine::kGenInitialAttenuation);
            EXPECT_EQ(mod.amount, 960);
            EXPECT_EQ(mod.transform, 0);
            if (mod.amountSource == 0)
            {
                ++level;
            }
            else
            {
                EXPECT_EQ(mod.amountSource, mod.source);
                ++squared;
            }
        }
        EXPECT_EQ(controllers, (std::vector<int>{21, 21, 22, 22}));
        EXPECT_EQ(level, 2);
        EXPECT_EQ(squared, 2);
    }
    EXPECT_TRUE(bank.data.presets[0].zones[1].modulators.empty());
}

TEST(ResonanceLayerTest, AnIdenticalModulatorInThePianoZoneIsReplacedNotDoubled)
{
    BankImage bank = TwoZonePiano();
    const auto own = ResonanceLayer::controllerModulator(21, false);
    bank.data.presets[0].zones[1].modulators.push_back(Mod(own.source, own.destination, 100));
    ResonanceLayer::addTo(bank);
    const auto& twin = bank.data.presets[0].zones[3];
    ASSERT_EQ(twin.modulators.size(), 4u);
    EXPECT_EQ(twin.modulators[0].amount, 960);
}

} // namespace
