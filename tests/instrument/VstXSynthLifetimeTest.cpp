// What an instance shares with the others in one process (the sample data, the string table and its lock),
// and what it does with the sound bank beside its module: it selects the first preset and, on a change of
// sample rate, rebuilds the synthesizer from the shared data.
#include <memory>

#include "engine/TestBank.h"
#include "instrument/PlayingInstrument.h"
#include "resources/StringTable.h"

using namespace instrument;

using VstXSynthLifetime = PlayingInstrument;

TEST_F(VstXSynthLifetime, StringTableLockLivesUntilTheLastInstanceIsDestroyed)
{
    ASSERT_EQ(VstXSynth::liveInstances(), 0);
    EXPECT_FALSE(resources::StringTableHasLock());
    auto first = std::make_unique<VstXSynth>(host);
    EXPECT_TRUE(resources::StringTableHasLock());
    auto second = std::make_unique<VstXSynth>(host);
    EXPECT_EQ(VstXSynth::liveInstances(), 2);
    first.reset();
    EXPECT_TRUE(resources::StringTableHasLock());
    second.reset();
    EXPECT_FALSE(resources::StringTableHasLock());
    EXPECT_EQ(VstXSynth::liveInstances(), 0);
}

TEST_F(VstXSynthLifetime, WithoutAHostCallbackTheInstanceIsNotAnnouncedAndHasNoEditor)
{
    synth = std::make_unique<VstXSynth>(nullptr);
    EXPECT_NE(synth->getAeffect()->uniqueID, VstXSynth::kUniqueId);
    EXPECT_EQ(synth->getEditor(), nullptr);
}

TEST_F(VstXSynthLifetime, TheLoadSelectsTheFirstPresetAndARateChangeRebuildsFromTheSharedData)
{
    start(enginetest::MakeRichBank().bytes());
    const auto& presets = synth->synthEngine()->presets();
    ASSERT_EQ(presets.size(), 3u);
    int bank = -1, program = -1;
    ASSERT_TRUE(synth->synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, presets[0].bank);
    EXPECT_EQ(program, presets[0].program);

    synth->setSampleRate(48000.0f);
    ASSERT_TRUE(synth->synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, 0);
    EXPECT_EQ(program, 0);
    synth->synthEngine()->send(kNoteOn, 60, 100);
    EXPECT_GT(render(4096).peak(), 0.0f);
}
