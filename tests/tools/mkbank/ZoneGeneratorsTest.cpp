#include <gtest/gtest.h>

#include "engine/TestBank.h"
#include "mkbank/SoundFontNumbers.h"
#include "mkbank/ZoneGenerators.h"

using namespace engine;
using namespace mkbank;

namespace
{

using engine::SoundFontZone;
using enginetest::Gen;
using enginetest::Mod;
using enginetest::Range;
using mkbank::ZoneGenerators;

std::vector<uint16_t> Opers(const SoundFontZone& zone)
{
    std::vector<uint16_t> opers;
    for (const auto& g : zone.generators)
        opers.push_back(g.oper);
    return opers;
}

TEST(ZoneGeneratorsTest, SetPlacesRangesFirstAndTheTerminalLast)
{
    SoundFontZone zone{{Gen(engine::kGenPan, 100), Gen(engine::kGenSampleId, 3)}, {}};
    ZoneGenerators gens(zone);
    gens.set(engine::kGenVelRange, 0x7F10);
    gens.set(engine::kGenDecayVolEnv, 200);
    gens.set(engine::kGenKeyRange, 0x6C15);
    EXPECT_EQ(Opers(zone), (std::vector<uint16_t>{engine::kGenKeyRange, engine::kGenVelRange, engine::kGenPan,
                                                  engine::kGenDecayVolEnv, engine::kGenSampleId}));
}

TEST(ZoneGeneratorsTest, AddIsSignedAndHeldWithinSixteenBits)
{
    SoundFontZone zone{{Gen(engine::kGenAttackVolEnv, -12000), Gen(engine::kGenDecayVolEnv, 32000)}, {}};
    ZoneGenerators gens(zone);
    gens.add(engine::kGenAttackVolEnv, 7200);
    gens.add(engine::kGenDecayVolEnv, 1200);
    gens.add(engine::kGenInitialFilterFc, -1800);
    EXPECT_EQ(gens.find(engine::kGenAttackVolEnv)->signedAmount(), -4800);
    EXPECT_EQ(gens.find(engine::kGenDecayVolEnv)->signedAmount(), 32767);
    EXPECT_EQ(gens.find(engine::kGenInitialFilterFc)->signedAmount(), -1800);
    gens.add(engine::kGenAttackVolEnv, -30000);
    EXPECT_EQ(gens.find(engine::kGenAttackVolEnv)->signedAmount(), -32768);
}

TEST(ZoneGeneratorsTest, LimitKeyRangeCutsAtTheLimit)
{
    SoundFontZone wide{{Range(engine::kGenKeyRange, 100, 127), Gen(engine::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(wide).limitKeyRange(120));
    EXPECT_EQ(wide.generators[0].rangeLow(), 100);
    EXPECT_EQ(wide.generators[0].rangeHigh(), 120);

    SoundFontZone edge{{Range(engine::kGenKeyRange, 120, 121), Gen(engine::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(edge).limitKeyRange(120));
    EXPECT_EQ(edge.generators[0].amount, 120 | (120 << 8));

    SoundFontZone above{{Range(engine::kGenKeyRange, 121, 127), Gen(engine::kGenSampleId, 0)}, {}};
    EXPECT_FALSE(ZoneGenerators(above).limitKeyRange(120));

    SoundFontZone low{{Range(engine::kGenKeyRange, 21, 60), Gen(engine::kGenSampleId, 0)}, {}};
    EXPECT_TRUE(ZoneGenerators(low).limitKeyRange(120));
    EXPECT_EQ(low.generators[0].amount, 21 | (60 << 8));
}

TEST(ZoneGeneratorsTest, ModulatorIdentityIgnoresTheAmountOnly)
{
    const auto base = Mod(0x95, 48, 960, 0x96, 0);
    EXPECT_TRUE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 1, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x96, 48, 960, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 8, 960, 0x96, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 960, 0, 0)));
    EXPECT_FALSE(ZoneGenerators::sameModulator(base, Mod(0x95, 48, 960, 0x96, 2)));
}

} // namespace
