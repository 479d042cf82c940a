// The writer's output is a file any SoundFont player accepts, or nothing when the bank cannot be written.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include "engine/TestBank.h"

using namespace sfwriter;

using enginetest::MakeSimpleBank;
using enginetest::TempFile;

namespace
{

int LoadWithTheLibrarysOwnLoader(const std::string& path)
{
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = new_fluid_synth(settings);
    const int id = fluid_synth_sfload(synth, path.c_str(), 1);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return id;
}

} // namespace

TEST(SoundFontWriter, TextItemsOfEveryLengthKeepEvenSizes)
{
    auto bank = MakeSimpleBank(4096);
    bank.data.info.push_back({"INAM", "Even"}); // 4 letters and a terminator: padded to 6
    bank.data.info.push_back({"ICMT", "Odd"});  // 3 letters and a terminator: 4
    const auto bytes = bank.bytes();
    // The first item follows "RIFF" size "sfbk" "LIST" size "INFO" and the 4-byte version chunk.
    const size_t inam = 12 + 12 + 12;
    ASSERT_EQ(std::string(bytes.begin() + inam, bytes.begin() + inam + 4), "INAM");
    EXPECT_EQ(bytes[inam + 4], 6);
    TempFile file("writer-info", bytes);
    EXPECT_GE(LoadWithTheLibrarysOwnLoader(file.path()), 1);
}

TEST(SoundFontWriter, RecordsBeyondTheSixteenBitIndicesGiveNoBytes)
{
    auto bank = MakeSimpleBank(4096);
    engine::SoundFontZone crowded;
    crowded.generators.assign(0x10000, enginetest::Gen(48, 0));
    bank.data.instruments[0].zones.insert(bank.data.instruments[0].zones.begin(), crowded);
    EXPECT_TRUE(bank.bytes().empty());
}
