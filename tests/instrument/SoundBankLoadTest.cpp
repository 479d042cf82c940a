// The instrument loads the sound bank beside its module, shares its sample data with every other instance,
// and rebuilds the synthesizer on a change of sample rate without reading the data again.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/SampleDataCache.h"
#include "engine/TestBank.h"
#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"

using namespace engine;
using namespace instrument;

using engine::SampleDataCache;

namespace
{
class SoundBankLoad : public InstrumentFixture
{
protected:
    static float peakOfNote(VstXSynth& synth)
    {
        synth.synthEngine()->send(0x90, 60, 100);
        std::vector<float> left(4096), right(4096);
        float* outputs[2] = {left.data(), right.data()};
        synth.processReplacing(nullptr, outputs, 4096);
        float peak = 0.0f;
        for (size_t i = 0; i < left.size(); ++i)
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        return peak;
    }

    long loads() const
    {
        const auto texts = logTexts();
        return std::count(texts.begin(), texts.end(), "Data File Exists, loading now.");
    }
};
} // namespace

TEST_F(SoundBankLoad, TheLoadSelectsTheFirstPresetAndARateChangeRebuildsFromTheSharedData)
{
    writeBeside("DAT", enginetest::MakeRichBank().bytes());
    VstXSynth synth(host);
    const auto& presets = synth.synthEngine()->presets();
    ASSERT_EQ(presets.size(), 3u);
    int bank = -1, program = -1;
    ASSERT_TRUE(synth.synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, presets[0].bank);
    EXPECT_EQ(program, presets[0].program);
    for (int i = 0; i < 6000 && !SampleDataCache::shared().loadDone(); ++i) // a minute at most
        platform::SleepMilliseconds(10);
    ASSERT_TRUE(SampleDataCache::shared().loadDone());

    synth.setSampleRate(44100.0f);
    EXPECT_EQ(loads(), 1) << "the same rate changes nothing";
    synth.setSampleRate(48000.0f);
    ASSERT_TRUE(synth.synthEngine()->channelProgram(bank, program));
    EXPECT_EQ(bank, 0);
    EXPECT_EQ(program, 0);
    EXPECT_GT(peakOfNote(synth), 0.0f);
}
