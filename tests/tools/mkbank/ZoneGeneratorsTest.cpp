#include <gtest/gtest.h>

#include "SoundFontNumbers.h"
#include "TestBank.h"
#include "ZoneGenerators.h"

namespace {

using engine::SoundFontZone;
using engine_test::Gen;
using engine_test::Mod;
using engine_test::Range;
using mkbank::ZoneGenerators;

std::vector<uint16_t> Opers(const SoundFontZone& zone) {
    std::vector<uint16_t> opers;
    for (const auto& g : zone.generators) opers.push_back(g.oper);
    return opers;
}

TEST(ZoneGeneratorsTest, SetPlacesRangesFirstAndTheTerminalLast) {
    SoundFontZone zone{{Gen(mkbank::kGenPan, 100), Gen(mkbank::kGenSampleId, 3)}, {}};
    ZoneGenerators gens(zone);
    gens.set(mkbank::kGenVelRange, 0x7F10);
    gens.set(mkbank::kGenDecayVolEnv, 200);
    gens.set(mkbank::kGenKeyRange, 0x6C15);
    EXPECT_EQ(Opers(zone), (std::vector<uint16_t>{mkbank::kGenKeyRange, mkbank::kGenVelRange,
                                                  mkbank::kGenPan, mkbank::kGenDecayVolEnv,
                                                  mkbank::kGenSampleId}));
}

TEST(ZoneGeneratorsTest, SetReplacesAnExistingAmountInPlace) {
    SoundFontZone zone{{Gen(mkbank::kGenPan, 100), Gen(mkbank::kGenInstrument, 0)}, {}};
    ZoneGenerators(zone).set(mkbank::kGenPan, 7);
    ASSERT_EQ(zone.generators.size(), 2u);
    EXPECT_EQ(zone.generators[0].amount, 7);
}

TEST(ZoneGeneratorsTest, AddIsSignedAndHeldWithinSixteenBits) {
    SoundFontZone zone{{Gen(mkbank::kGenAttackVolEnv, -12000), Gen(mkbank::kGenDecayVolEnv, 32000)},
                       {}};
    ZoneGenerators gens(zone);
    gens.add(mkbank::kGenAttackVolEnv, 7200);
    gens.add(mkbank::kGenDecayVolEnv, 1200);
    gens.add(mkbank::kGenInitialFilterFc, -1800);
    EXPECT_EQ(gens.find(mkbank::kGenAttackVolEnv)->signedAmount(), -4800);
    EXPECT_EQ(gens.find(mkbank::kGenDecayVolEnv)->signedAmount(), 32767);
    EXPECT_EQ(gens.find(mkbank::kGenInitialFilterFc)->signedAmount(), -1800);
    gens.add(mkbank::kGenAttackVolEnv, -30000);
    EXPECT_EQ(gens.find(mkbank::kGenAttackVolEnv)->signedAmount(), -32768);
}

TEST(ZoneGeneratorsTest, LimitKeyRangeCutsAtTheLimit) {
    SoundFontZone wide{{Range(mkbank::kGenKeyRange, 100, 127), Gen(mkbank::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(wide).limitKeyRange(120));
    EXPECT_EQ(wide.generators[0].rangeLow(), 100);
    EXPECT_EQ(wide.generators[0].rangeHigh(), 120);

    SoundFontZone edge{{Range(mkbank::kGenKeyRange, 120, 121), Gen(mkbank::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(edge).limitKeyRange(120));
    EXPECT_EQ(edge.generators[0].amount, 120 | (120 << 8));

    SoundFontZone above{{Range(mkbank::kGenKeyRange, 121, 127), Gen(mkbank::kGenSampleId, 0)}, {}};
    EXPECT_FALSE(ZoneGenerators(above).limitKeyRange(120));

    SoundFontZone low{{Range(mkbank::kGenKeyRange, 21, 60), Gen(mkbank::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(low).limitKeyRange(120));
    EXPECT_EQ(low.generators[0].amount, 21 | (60 << 8));
}

TEST(ZoneGeneratorsTest, InheritKeepsTheZonesOwnValuesAndRanges) {
    SoundFontZone global{{Range(mkbank::kGenKeyRange, 0, 10), Gen(mkbank::kGenPan, 50),
                          Gen(mkbank::kGenInitialAttenuation, 20)},
                         {Mod(2, 48, 100), Mod(0x81, 8, -200)}};
    SoundFontZone local{{Range(mkbank::kGenKeyRange, 30, 40), Gen(mkbank::kGenPan, -50),
                         Gen(mkbank::kGenInstrument, 1)},
                        {Mod(2, 48, 40)}};
    ZoneGenerators gens(local);
    gens.inherit(global);
    EXPECT_EQ(Opers(local), (std::vector<uint16_t>{mkbank::kGenKeyRange, mkbank::kGenPan,
                                                   mkbank::kGenInitialAttenuation,
                                                   mkbank::kGenInstrument}));
    EXPECT_EQ(local.generators[0].amount, 30 | (40 << 8));
    EXPECT_EQ(gens.find(mkbank::kGenPan)->signedAmount(), -50);
    EXPECT_EQ(gens.find(mkbank::kGenInitialAttenuation)->amount, 20);
    ASSERT_EQ(local.modulators.size(), 2u);
    EXPECT_EQ(local.modulators[0].amount, 40);
    EXPECT_EQ(local.modulators[1].source, 0x81);
}

TEST(ZoneGeneratorsTest, ModulatorIdentityIgnoresTheAmountOnly) {
    const auto base = Mod(0x95, 48, 960, 0x96, 0);
    EXPECT_TRUE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 1, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x96, 48, 960, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 8, 960, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 960, 0, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 960, 0x96, 2)));
}

TEST(ZoneGeneratorsTest, OnlyAZoneEndingInItsTerminalIsLocal) {
    EXPECT_TRUE(ZoneGenerators::isLocal({{Gen(17, 0), Gen(41, 2)}, {}}, 41));
    EXPECT_FALSE(ZoneGenerators::isLocal({{Gen(41, 2), Gen(17, 0)}, {}}, 41));
    EXPECT_FALSE(ZoneGenerators::isLocal({{}, {Mod(2, 48, 10)}}, 41));
    EXPECT_FALSE(ZoneGenerators::isLocal({{Gen(53, 2)}, {}}, 41));
}

}  // namespace
