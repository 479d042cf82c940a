// The instrument loads the sound bank beside its module, shares its sample data with every other instance,
// and rebuilds the synthesizer on a change of sample rate without reading the data again.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/SampleDataCache.h"
#include "engine/TestBank.h"
#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"

using namespace engine;
using namespace host;
using namespace instrument;

using engine::SampleDataCache;

namespace
{
class SoundBankLoad : public InstrumentFixture
{
protected:
    void waitForSampleData()
    {
        for (int i = 0; i < 6000 && !SampleDataCache::shared().loadDone(); ++i) // a minute at most
            platform::SleepMilliseconds(10);
        ASSERT_TRUE(SampleDataCache::shared().loadDone());
    }

    static float peakOfNote(VstXSynth& synth, int key)
    {
        SynthEngine* engine = synth.synthEngine();
        engine->send(0x90, key, 100);
        std::vector<float> left(4096), right(4096);
        float* outputs[2] = {left.data(), right.data()};
        synth.processReplacing(nullptr, outputs, 4096);
        float peak = 0.0f;
        for (size_t i = 0; i < left.size(); ++i)
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        return peak;
    }
};
} // namespace

TEST_F(SoundBankLoad, LogsTheLoadAndFillsThePresetList)
{
    writeBeside("DAT", enginetest::MakeRichBank().bytes());
    VstXSynth synth(host);
    EXPECT_TRUE(logHas("Module File Name: " + beside("so").string()));
    EXPECT_TRUE(logHas("Data File Name: " + beside("DAT").string()));
    EXPECT_TRUE(logHas("Data File Exists, loading now."));
    EXPECT_TRUE(logHas("Data File Load Complete, result = 1"));
    EXPECT_FALSE(logHas("DataLoadFailTitle: DataLoadFailBody"));
    const auto& presets = synth.synthEngine()->presets();
    ASSERT_EQ(presets.size(), 3u);
    // The load selects the first preset the engine lists.
    int bank = -1, program = -1;
    ASSERT_TRUE(synth.synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, presets[0].bank);
    EXPECT_EQ(program, presets[0].program);
    waitForSampleData();
}

TEST_F(SoundBankLoad, SampleRateChangeRebuildsWithoutReadingAgainAndEndsOnBankZeroProgramZero)
{
    writeBeside("DAT", enginetest::MakeRichBank().bytes());
    VstXSynth synth(host);
    waitForSampleData();
    const int16_t* block = SampleDataCache::shared().sampleData();
    synth.setSampleRate(48000.0f);
    EXPECT_EQ(SampleDataCache::shared().userCount(), 1u);
    EXPECT_EQ(SampleDataCache::shared().sampleData(), block);
    EXPECT_FALSE(SampleDataCache::shared().keepShared());
    int bank = -1, program = -1;
    ASSERT_TRUE(synth.synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, 0);
    EXPECT_EQ(program, 0);
    EXPECT_GT(peakOfNote(synth, 60), 0.0f);
}

TEST_F(SoundBankLoad, TheSameRateChangesNothing)
{
    writeBeside("DAT", enginetest::MakeRichBank().bytes());
    VstXSynth synth(host);
    waitForSampleData();
    const auto before = logTexts();
    const auto loadsBefore = std::count(before.begin(), before.end(), "Data File Exists, loading now.");
    synth.setSampleRate(44100.0f);
    const auto texts = logTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Data File Exists, loading now."), loadsBefore);
}

TEST_F(SoundBankLoad, MissingDataFileLeavesARouterAndSilence)
{
    VstXSynth synth(host);
    EXPECT_TRUE(logHas("File Does Not Exist: " + beside("DAT").string()));
    EXPECT_TRUE(logHas("Data File Load Complete, result = -1"));
    EXPECT_TRUE(logHas("DataLoadFailTitle: DataLoadFailBody"));
    EXPECT_TRUE(synth.synthEngine()->presets().empty());
    EXPECT_TRUE(synth.synthEngine()->hasRouter());
    EXPECT_EQ(SampleDataCache::shared().loadPercent(), 100);
    EXPECT_EQ(peakOfNote(synth, 60), 0.0f);
}

TEST_F(SoundBankLoad, DamagedDataFileFailsTheLoad)
{
    auto bytes = enginetest::MakeRichBank().bytes();
    bytes[0] = 'X';
    writeBeside("DAT", bytes);
    VstXSynth synth(host);
    EXPECT_TRUE(logHas("Data File Load Complete, result = -1"));
    EXPECT_TRUE(synth.synthEngine()->hasRouter());
    EXPECT_EQ(SampleDataCache::shared().userCount(), 0u);
}
