// Instances in one process share the log, the string table and its lock.
#include <gtest/gtest.h>

#include <memory>

#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"
#include "resources/StringTable.h"

using namespace host;
using namespace instrument;

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

TEST_F(InstrumentInFolder, WithoutAHostCallbackTheInstanceIsNotAnnouncedAndHasNoEditor)
{
    VstXSynth synth(nullptr);
    EXPECT_NE(synth.getAeffect()->uniqueID, VstXSynth::kUniqueId);
    EXPECT_EQ(synth.getEditor(), nullptr);
}
