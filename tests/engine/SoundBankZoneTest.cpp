#include <gtest/gtest.h>

#include "engine/SoundBankZone.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{

using engine::SoundBankZone;
using engine::SoundFontZone;
using Level = SoundBankZone::Level;

SoundBankZone Instrument(std::vector<engine::SoundFontGeneratorRecord> generators)
{
    return SoundBankZone(SoundFontZone{std::move(generators), {}}, Level::Instrument);
}

SoundBankZone Preset(std::vector<engine::SoundFontGeneratorRecord> generators)
{
    return SoundBankZone(SoundFontZone{std::move(generators), {}}, Level::Preset);
}

TEST(SoundBankZone, RangesIncludeBothEnds)
{
    const SoundBankZone zone = Instrument({Range(43, 10, 20), Range(44, 30, 40), Gen(53, 0)});
    EXPECT_TRUE(zone.contains(10, 30));
    EXPECT_TRUE(zone.contains(20, 40));
    EXPECT_FALSE(zone.contains(9, 35));
    EXPECT_FALSE(zone.contains(21, 35));
    EXPECT_FALSE(zone.contains(15, 29));
    EXPECT_FALSE(zone.contains(15, 41));
}

TEST(SoundBankZone, KeyRangeCountsOnlyAsTheFirstGenerator)
{
    const SoundBankZone zone = Instrument({Gen(17, 100), Range(43, 10, 20), Gen(53, 0)});
    EXPECT_TRUE(zone.contains(0, 64));
    EXPECT_TRUE(zone.contains(127, 64));
    EXPECT_TRUE(zone.isSet(17));
}

TEST(SoundBankZone, VelRangeCountsOnlyFirstOrRightAfterKeyRange)
{
    EXPECT_FALSE(Instrument({Range(44, 1, 10), Gen(53, 0)}).contains(60, 11));
    EXPECT_FALSE(Instrument({Range(43, 0, 127), Range(44, 1, 10), Gen(53, 0)}).contains(60, 11));
    // After any other generator (even one that is dropped) it is ignored.
    EXPECT_TRUE(Instrument({Gen(17, 1), Range(44, 1, 10), Gen(53, 0)}).contains(60, 11));
    EXPECT_TRUE(Instrument({Gen(14, 1), Range(44, 1, 10), Gen(53, 0)}).contains(60, 11));
}

TEST(SoundBankZone, TheLinkEndsTheZone)
{
    const SoundBankZone instrument = Instrument({Gen(17, 100), Gen(53, 7), Gen(8, 5000)});
    EXPECT_EQ(instrument.link(), 7);
    EXPECT_FALSE(instrument.isSet(8));
    const SoundBankZone preset = Preset({Gen(41, 3), Gen(17, 100)});
    EXPECT_EQ(preset.link(), 3);
    EXPECT_FALSE(preset.isSet(17));
    // Each level ends only at its own link.
    EXPECT_EQ(Preset({Gen(53, 2), Gen(17, 1)}).link(), SoundBankZone::kNoLink);
    EXPECT_EQ(Instrument({Gen(41, 2), Gen(17, 1)}).link(), SoundBankZone::kNoLink);
    EXPECT_TRUE(Instrument({Gen(41, 2), Gen(17, 1)}).isSet(17));
}

TEST(SoundBankZone, ALaterGeneratorReplacesAnEarlierOne)
{
    const SoundBankZone zone = Instrument({Gen(17, 100), Gen(17, -250), Gen(53, 0)});
    EXPECT_EQ(zone.value(17), -250.0f);
}

TEST(SoundBankZone, InitialAttenuationIsScaledByFourTenthsInSinglePrecision)
{
    EXPECT_EQ(Instrument({Gen(48, 100)}).value(48), 40.0f);
    EXPECT_EQ(Preset({Gen(48, 3)}).value(48), 3.0f * 0.4f);
    EXPECT_EQ(Preset({Gen(48, -7)}).value(48), -7.0f * 0.4f);
    EXPECT_EQ(Instrument({Gen(17, 3)}).value(17), 3.0f);
}

TEST(SoundBankZone, AmountsAreSigned)
{
    EXPECT_EQ(Instrument({Gen(34, -12000)}).value(34), -12000.0f);
    EXPECT_EQ(Instrument({Gen(51, -1)}).value(51), -1.0f);
}

TEST(SoundBankZone, InstrumentOnlyGeneratorsAreDroppedAtPresetLevel)
{
    for (uint16_t gen : {0, 1, 2, 3, 4, 12, 45, 50, 46, 47, 54, 57, 58})
    {
        EXPECT_FALSE(Preset({Gen(gen, 1)}).isSet(gen)) << gen;
        EXPECT_TRUE(Instrument({Gen(gen, 1)}).isSet(gen)) << gen;
    }
    EXPECT_TRUE(Preset({Gen(52, 1)}).isSet(52));
}

TEST(SoundBankZone, UnusedReservedAndUnknownGeneratorsAreDropped)
{
    for (uint16_t gen : {14, 18, 19, 20, 42, 49, 55})
    {
        EXPECT_FALSE(Instrument({Gen(gen, 1)}).isSet(gen)) << gen;
    }
    const SoundBankZone zone = Instrument({Gen(59, 1), Gen(60, 1), Gen(1000, 1), Gen(0xFFFF, 1)});
    for (int gen = 0; gen < GEN_LAST; ++gen)
        EXPECT_FALSE(zone.isSet(gen)) << gen;
}

} // namespace
} // namespace enginetest
