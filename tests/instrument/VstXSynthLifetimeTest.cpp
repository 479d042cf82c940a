// Instances in one process share the log, the string table and its lock.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"
#include "resources/StringTable.h"

using namespace host;
using namespace instrument;

namespace fs = std::filesystem;

using InstrumentInFolder = InstrumentFixture;

TEST_F(InstrumentInFolder, StringTableLockLivesUntilTheLastInstanceIsDestroyed)
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

TEST_F(InstrumentInFolder, NamesTheStringFileAfterTheModule)
{
    VstXSynth synth(host);
    EXPECT_EQ(resources::StringTableFile(), beside("INI").string());
    EXPECT_TRUE(fs::exists(folder / "Virellando-Log.txt"));
}

TEST_F(InstrumentInFolder, StartsWithTheConstructionSettings)
{
    VstXSynth synth(host);
    const PianoSettings& s = synth.requestedSettings();
    EXPECT_EQ(s.recordTag, 1);
    EXPECT_EQ(s.lidPosition, 3);
    EXPECT_EQ(s.volume, 0.5f);
    EXPECT_EQ(s.chorus, 0.0f);
    EXPECT_EQ(s.hammerAmount, 0.5f);
    EXPECT_EQ(s.sympatheticResonance, 0.5f);
    EXPECT_EQ(s.bassGain, 1.0f);
    EXPECT_EQ(s.midGain, 1.0f);
    EXPECT_EQ(s.highGain, 1.0f);
    EXPECT_EQ(s.velocityCurve, 2);
    EXPECT_EQ(s.reverbType, 0);
}

TEST_F(InstrumentInFolder, WithoutAHostCallbackKeepsTheFrameDefaults)
{
    VstXSynth synth(nullptr);
    const AEffect* e = synth.getAeffect();
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 0);
    EXPECT_NE(e->uniqueID, VstXSynth::kUniqueId);
    EXPECT_EQ(synth.getEditor(), nullptr);
}
