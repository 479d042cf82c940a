// The engine runs at 8000 to 96000 Hz, and at 176400 and 192000 Hz at half the host's rate with an
// upsampler. At a rate outside them the instrument stays silent rather than play out of tune.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hardening/PianoLikeBank.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
// Key 60 plays the bank's tone at its recorded pitch: a period of 100 points at 44100 Hz.
constexpr double kKey60Hz = 441.0;
constexpr int kBlock = 256;

class SampleRateTest : public ::testing::Test
{
protected:
    std::unique_ptr<PluginInstance> instantiate(float rate)
    {
        folder.addBank(hardening::MakePianoLikeBank().bytes());
        HostAnswers answers;
        answers.sampleRate = rate;
        auto instance = folder.instantiate(answers);
        if (instance)
        {
            instance->setBlockSize(kBlock);
            instance->setParameter(2, 0.0f); // no reverb: only the dry tone is counted
        }
        return instance;
    }

    // Key 60's rising zero crossings per second while held; 0 when the instrument stays silent.
    static double playedFrequency(PluginInstance& instance, float rate, bool sound)
    {
        ChangeRate(instance, rate);
        if (sound) // the samples are read in the background after the change
        {
            EXPECT_TRUE(WaitForSampleData(instance));
        }
        instance.sendMidi({{0, 0x90, 60, 100}});
        Render(instance, static_cast<int>(rate * 0.2f), kBlock);
        const std::vector<float> held = Render(instance, static_cast<int>(rate * 0.5f), kBlock);
        instance.sendMidi({{0, 0x80, 60, 0}});
        Render(instance, static_cast<int>(rate * 0.5f), kBlock);
        int crossings = 0;
        for (size_t i = 1; i < held.size() / 2; ++i) // the left channel
            crossings += held[i - 1] < 0.0f && held[i] >= 0.0f;
        return crossings * static_cast<double>(rate) / static_cast<double>(held.size() / 2);
    }

    PluginFolder folder;
};

TEST_F(SampleRateTest, KeysKeepTheirPitchAtEveryRateTheEngineRunsAndAreSilentOutsideThem)
{
    auto instance = instantiate(176400.0f);
    ASSERT_TRUE(instance);
    const struct
    {
        float rate;
        bool sound;
    } steps[] = {{176400.0f, true},  {88200.0f, true}, {8000.0f, true},  {22050.0f, true},
                 {384000.0f, false}, {96000.0f, true}, {48000.0f, true}, {192000.0f, true},
                 {6000.0f, false},   {32000.0f, true}, {44100.0f, true}};
    for (const auto& step : steps)
        EXPECT_NEAR(step.sound ? kKey60Hz : 0.0, playedFrequency(*instance, step.rate, step.sound),
                    kKey60Hz * 0.02)
            << step.rate << " Hz";
    for (const std::string text :
         {"Engine rate 88200 Hz: half the host's 176400 Hz, doubled by the upsampler (16 frames later).",
          "Engine rate 88200 Hz."})
        EXPECT_TRUE(folder.logHas(text)) << text;
}

// A rate change ends every voice; what the limiter held from before must not come out again at the new
// look-ahead. At 176400 Hz the reverb starts empty, so only the equaliser's decaying memory is left.
TEST_F(SampleRateTest, ARateChangeDoesNotReplayTheAudioBeforeIt)
{
    auto instance = instantiate(44100.0f);
    ASSERT_TRUE(instance);
    instance->setParameter(2, 0.25f); // the default reverb
    ASSERT_TRUE(WaitForSampleData(*instance));
    std::vector<PluginInstance::Midi> chord;
    for (uint8_t key = 40; key <= 80; ++key)
        chord.push_back({0, 0x90, key, 127});
    instance->sendMidi(chord);
    const float before = Peak(Render(*instance, 40 * 512, kBlock));
    ChangeRate(*instance, 176400.0f);
    ASSERT_GT(before, 0.3f);
    EXPECT_LT(Peak(Render(*instance, 512, kBlock)), 0.05f * before);
}

} // namespace
