// The engine renders at 8000 to 96000 Hz, and at 176400 and 192000 Hz it runs at half the host's rate with
// an upsampler doubling its output. At all those rates a key sounds at its pitch whatever rate came before;
// at a rate outside them the instrument stays silent rather than play out of tune, and plays in tune again
// as soon as the host returns to a rate the engine runs at. The log says which rate the engine runs at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

class SampleRateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        const auto bank = hardening::MakePianoLikeBank().bytes();
        folder.writeFile("DAT", std::string(bank.begin(), bank.end()));
    }

    std::unique_ptr<PluginInstance> instantiate(float rate)
    {
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

    // Plays key 60 and counts its rising zero crossings over half a second after the attack; 0 when the
    // instrument stays silent. The key is released and left to end afterwards. Where sound is expected the
    // key is struck only once the background read of the bank is done, as its samples are read then.
    static double playedFrequency(PluginInstance& instance, float rate, bool sound = true)
    {
        instance.dispatch(effMainsChanged, 0, 0);
        instance.setSampleRate(rate);
        instance.dispatch(effMainsChanged, 0, 1);
        // A key played before its samples are read would sound wrong; where the instrument stays silent
        // nothing is read.
        if (sound)
        {
            EXPECT_TRUE(WaitForSampleData(instance));
        }
        instance.sendMidi({{0, 0x90, 60, 100}});
        const std::vector<float> attack = render(instance, static_cast<int>(rate * 0.2f));
        const std::vector<float> held = render(instance, static_cast<int>(rate * 0.5f));
        instance.sendMidi({{0, 0x80, 60, 0}});
        render(instance, static_cast<int>(rate * 0.5f));
        int crossings = 0;
        for (size_t i = 1; i < held.size(); ++i)
            crossings += held[i - 1] < 0.0f && held[i] >= 0.0f;
        return crossings * static_cast<double>(rate) / static_cast<double>(held.size());
    }

    static std::vector<float> render(PluginInstance& instance, int frames)
    {
        std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
        for (int done = 0; done < frames; done += kBlock)
        {
            const int n = std::min(kBlock, frames - done);
            instance.processReplacing(left.data() + done, right.data() + done, n);
        }
        return left;
    }

    static constexpr int kBlock = 256;
    PluginFolder folder;
};

// From a doubled rate at start-up through every rate the engine runs at, in either direction, and through
// rates outside them and back.
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
    {
        const double played = playedFrequency(*instance, step.rate, step.sound);
        EXPECT_NEAR(step.sound ? kKey60Hz : 0.0, played, kKey60Hz * 0.02) << step.rate << " Hz";
    }
    const auto logged = [&](const std::string& text)
    {
        const auto lines = folder.logLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(logged(
        "Engine rate 88200 Hz: half the host's 176400 Hz, doubled by the upsampler (16 frames later)."));
    EXPECT_TRUE(logged("Engine rate 88200 Hz."));
}

} // namespace
