#include <gtest/gtest.h>

#include "engine/SoundBankModulatorList.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{

using engine::SoundBankModulatorList;
using engine::SoundFontModulatorRecord;

constexpr uint16_t kCc = 0x80;
constexpr uint16_t kBipolar = 0x200;
constexpr uint16_t kFilterFc = 8;

SoundBankModulatorList List(std::vector<SoundFontModulatorRecord> records)
{
    return SoundBankModulatorList(records);
}

TEST(SoundBankModulatorList, ConvertsSourcesFlagsDestinationAndAmount)
{
    // CC 74, negative, bipolar, convex -> filter cutoff; velocity as amount source.
    const auto list = List({Mod(kCc | 74 | 0x100 | kBipolar | (2 << 10), kFilterFc, -1200, 2)});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(fluid_mod_get_source1(list.at(0)), 74);
    EXPECT_EQ(fluid_mod_get_flags1(list.at(0)),
              FLUID_MOD_CC | FLUID_MOD_NEGATIVE | FLUID_MOD_BIPOLAR | FLUID_MOD_CONVEX);
    EXPECT_EQ(fluid_mod_get_source2(list.at(0)), FLUID_MOD_VELOCITY);
    EXPECT_EQ(fluid_mod_get_flags2(list.at(0)), FLUID_MOD_GC);
    EXPECT_EQ(fluid_mod_get_dest(list.at(0)), kFilterFc);
    EXPECT_EQ(fluid_mod_get_amount(list.at(0)), -1200.0);
}

TEST(SoundBankModulatorList, RemovesControllersThatCannotModulate)
{
    for (uint16_t cc : {0, 6, 32, 38, 98, 99, 100, 101, 120, 127})
    {
        EXPECT_EQ(List({Mod(kCc | cc, kFilterFc, 100)}).size(), 0u) << cc;
        EXPECT_EQ(List({Mod(2, kFilterFc, 100, kCc | cc)}).size(), 0u) << cc;
    }
    for (uint16_t cc : {1, 7, 31, 33, 97, 102, 119})
    {
        EXPECT_EQ(List({Mod(kCc | cc, kFilterFc, 100)}).size(), 1u) << cc;
    }
}

TEST(SoundBankModulatorList, RemovesUnknownGeneralSourcesAndSourceOneNone)
{
    for (uint16_t source : {1, 4, 9, 11, 12, 15, 17, 127})
    {
        EXPECT_EQ(List({Mod(source, kFilterFc, 100)}).size(), 0u) << source;
        EXPECT_EQ(List({Mod(2, kFilterFc, 100, source)}).size(), 0u) << source;
    }
    EXPECT_EQ(List({Mod(0, kFilterFc, 100)}).size(), 0u);
    for (uint16_t source : {2, 3, 10, 13, 14, 16})
    {
        EXPECT_EQ(List({Mod(source, kFilterFc, 100)}).size(), 1u) << source;
    }
}

TEST(SoundBankModulatorList, DropsDestinationsOutsideTheVoicesGenerators)
{
    EXPECT_EQ(List({Mod(2, GEN_LAST, 100)}).size(), 0u);
    EXPECT_EQ(List({Mod(2, 0x8000 | 1, 100)}).size(), 0u); // linked modulator
    EXPECT_EQ(List({Mod(2, GEN_LAST - 1, 100)}).size(), 1u);
}

TEST(SoundBankModulatorList, UnknownCurveOrTransformDisablesTheModulator)
{
    const auto curve = List({Mod(2 | (4 << 10), kFilterFc, 100)});
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(fluid_mod_get_amount(curve.at(0)), 0.0);
    const auto amountCurve = List({Mod(2, kFilterFc, 100, 3 | (63 << 10))});
    ASSERT_EQ(amountCurve.size(), 1u);
    EXPECT_EQ(fluid_mod_get_amount(amountCurve.at(0)), 0.0);
    const auto transform = List({Mod(2, kFilterFc, 100, 0, 2)});
    ASSERT_EQ(transform.size(), 1u);
    EXPECT_EQ(fluid_mod_get_amount(transform.at(0)), 0.0);
}

TEST(SoundBankModulatorList, SecondSourceNoneIsUnipolar)
{
    const auto list = List({Mod(2, kFilterFc, 100, kBipolar)});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(fluid_mod_get_flags2(list.at(0)) & FLUID_MOD_BIPOLAR, 0);
}

TEST(SoundBankModulatorList, OfIdenticalModulatorsTheLastStaysInItsPlace)
{
    const auto list = List(
        {Mod(2, kFilterFc, 100), Mod(3, 17, 50), Mod(2, kFilterFc, 200), Mod(2, kFilterFc, 300, kCc | 1)});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(fluid_mod_get_source1(list.at(0)), 3);
    EXPECT_EQ(fluid_mod_get_amount(list.at(1)), 200.0);
    EXPECT_EQ(fluid_mod_get_source2(list.at(2)), 1); // another amount source: not identical
}

TEST(SoundBankModulatorList, KeepsAtMostSixtyFourModulators)
{
    std::vector<SoundFontModulatorRecord> records;
    for (uint16_t cc = 1; cc <= 70; ++cc)
    {
        if (cc == 6 || cc == 32 || cc == 38)
            continue;
        records.push_back(Mod(kCc | cc, kFilterFc, static_cast<int16_t>(cc)));
    }
    ASSERT_GT(records.size(), SoundBankModulatorList::kMaxModulators);
    const auto list = SoundBankModulatorList(records);
    ASSERT_EQ(list.size(), SoundBankModulatorList::kMaxModulators);
    EXPECT_EQ(fluid_mod_get_source1(list.at(0)), 1);
    EXPECT_EQ(fluid_mod_get_source1(list.at(63)), records[63].source & 127);
}

} // namespace
} // namespace enginetest
