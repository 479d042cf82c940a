#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "mkbank/MechanicalNoiseSynthesizer.h"
#include "mkbank/NoiseLayer.h"
#include "mkbank/SoundFontNumbers.h"

using namespace engine;

using namespace mkbank;

namespace
{

using mkbank::BankImage;
using mkbank::MechanicalNoiseSynthesizer;
using mkbank::NoiseLayer;

BankImage PianoOnly()
{
    BankImage bank;
    bank.points.assign(1000 + mkbank::kSampleGuardPoints, 0);
    bank.points[10] = 1234;
    engine::SoundFontSampleHeader piano;
    piano.name = "Piano";
    piano.end = 1000;
    bank.data.samples.push_back(piano);
    engine::SoundFontInstrument instrument;
    instrument.name = "Piano";
    instrument.zones.push_back({{{engine::kGenSampleId, 0}}, {}});
    bank.data.instruments.push_back(instrument);
    engine::SoundFontPreset preset;
    preset.zones.push_back({{{engine::kGenKeyRange, 0 | (120 << 8)}, {engine::kGenInstrument, 0}}, {}});
    bank.data.presets.push_back(preset);
    return bank;
}

TEST(NoiseLayerTest, AddsOneSamplePerNoiseKeyAfterThePiano)
{
    BankImage bank = PianoOnly();
    NoiseLayer::addTo(bank);
    ASSERT_EQ(bank.data.samples.size(), 8u);
    EXPECT_EQ(bank.points[10], 1234);
    uint32_t expectedStart = 1000 + mkbank::kSampleGuardPoints;
    for (int key = 121; key <= 127; ++key)
    {
        const auto& s = bank.data.samples[key - 120];
        EXPECT_EQ(s.name, NoiseLayer::sampleName(static_cast<uint8_t>(key)));
        EXPECT_EQ(s.start, expectedStart);
        EXPECT_EQ(s.end - s.start, MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key)).size());
        EXPECT_EQ(s.sampleRate, 44100u);
        EXPECT_EQ(s.originalPitch, key);
        EXPECT_EQ(s.sampleType, engine::kSampleMono);
        for (uint32_t i = s.end; i < s.end + mkbank::kSampleGuardPoints; ++i)
        {
            ASSERT_EQ(bank.points[i], 0);
        }
        expectedStart = s.end + mkbank::kSampleGuardPoints;
    }
    EXPECT_EQ(bank.points.size(), expectedStart);
}

TEST(NoiseLayerTest, SamplePointsAreTheSynthesisedSoundInSixteenBits)
{
    BankImage bank = PianoOnly();
    NoiseLayer::addTo(bank);
    const auto& s = bank.data.samples[1];
    const auto sound = MechanicalNoiseSynthesizer::render(121);
    int peak = 0;
    for (uint32_t i = 0; i < sound.size(); ++i)
    {
        ASSERT_NEAR(bank.points[s.start + i], sound[i] * 32767.0, 0.5001);
        peak = std::max(peak, std::abs(int{bank.points[s.start + i]}));
    }
    // -20 dBFS is 3277 in 16 bits.
    EXPECT_NEAR(peak, 3277, 2);
}

TEST(NoiseLayerTest, InstrumentPlaysEachNoiseOnItsOwnKeyUnaltered)
{
    BankImage bank = PianoOnly();
    NoiseLayer::addTo(bank);
    ASSERT_EQ(bank.data.instruments.size(), 2u);
    const auto& noises = bank.data.instruments[1];
    ASSERT_EQ(noises.zones.size(), 8u);
    const auto& global = noises.zones[0].generators;
    ASSERT_EQ(global.size(), 1u);
    EXPECT_EQ(global[0].oper, engine::kGenReleaseVolEnv);
    EXPECT_EQ(global[0].signedAmount(), NoiseLayer::kReleaseTimecents);
    for (int key = 121; key <= 127; ++key)
    {
        const auto& gens = noises.zones[key - 120].generators;
        ASSERT_EQ(gens.size(), 3u);
        EXPECT_EQ(gens[0].oper, engine::kGenKeyRange);
        EXPECT_EQ(gens[0].rangeLow(), key);
        EXPECT_EQ(gens[0].rangeHigh(), key);
        EXPECT_EQ(gens[1].oper, engine::kGenOverridingRootKey);
        EXPECT_EQ(gens[1].amount, key);
        EXPECT_EQ(gens[2].oper, engine::kGenSampleId);
        EXPECT_EQ(bank.data.samples[gens[2].amount].originalPitch, key);
    }
}

TEST(NoiseLayerTest, PresetGainsOneZoneOverTheNoiseKeys)
{
    BankImage bank = PianoOnly();
    NoiseLayer::addTo(bank);
    const auto& zones = bank.data.presets[0].zones;
    ASSERT_EQ(zones.size(), 2u);
    ASSERT_EQ(zones[1].generators.size(), 2u);
    EXPECT_EQ(zones[1].generators[0].rangeLow(), 121);
    EXPECT_EQ(zones[1].generators[0].rangeHigh(), 127);
    EXPECT_EQ(zones[1].generators[1].oper, engine::kGenInstrument);
    EXPECT_EQ(zones[1].generators[1].amount, 1);
    EXPECT_TRUE(zones[1].modulators.empty());
}

} // namespace
