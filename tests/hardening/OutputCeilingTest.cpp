// The limiter keeps the output near its threshold after the host changes the sample rate, in either
// direction: loud chords on every key, at full volume, never come out above the bound it holds at
// start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hardening/OutputWatch.h"
#include "hardening/PianoLikeBank.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
class OutputCeilingTest : public ::testing::TestWithParam<std::pair<float, float>>
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        const auto bank = hardening::MakePianoLikeBank().bytes();
        folder.writeFile("DAT", std::string(bank.begin(), bank.end()));
    }

    PluginFolder folder;
};

TEST_P(OutputCeilingTest, LoudChordsStayUnderTheLimitersBoundAfterARateChange)
{
    const auto [startRate, rate] = GetParam();
    HostAnswers answers;
    answers.sampleRate = startRate;
    auto instance = folder.instantiate(answers);
    ASSERT_TRUE(instance);
    constexpr int kBlock = 256;
    instance->setBlockSize(kBlock);
    instance->setParameter(4, 1.0f); // volume +6 dB
    instance->dispatch(effMainsChanged, 0, 0);
    instance->setSampleRate(rate);
    instance->dispatch(effMainsChanged, 0, 1);

    ASSERT_TRUE(WaitForSampleData(*instance));
    OutputWatch watch;
    std::vector<float> left(kBlock), right(kBlock);
    const int blocks = static_cast<int>(2.0f * rate / kBlock);
    const int blocksPerChord = static_cast<int>(0.15f * rate / kBlock) + 1;
    for (int b = 0; b < blocks; ++b)
    {
        if (b % blocksPerChord == 0)
        {
            std::vector<PluginInstance::Midi> chord;
            for (uint8_t key = 21; key <= 108; ++key)
                chord.push_back({(key * 5) % kBlock, 0x90, key, 127});
            for (uint8_t key = 21; key <= 108; key += 3)
                chord.push_back({kBlock - 1, 0x80, key, 0});
            instance->sendMidi(chord);
        }
        instance->processReplacing(left.data(), right.data(), kBlock);
        const std::string problem = watch.check(left.data(), right.data(), kBlock);
        ASSERT_TRUE(problem.empty()) << problem << " in block " << b;
    }
    EXPECT_GT(watch.largest(), watch.threshold() * 0.9) << "the chords should reach the limiter";
}

// A rate change ends every voice; what the limiter still held from before must not come out again at the
// new look-ahead. At 176400 Hz the engine plays nothing and the reverb starts empty, so the first block
// after the change carries only the equaliser's decaying memory, nothing near the level played before.
TEST_F(OutputCeilingTest, ARateChangeDoesNotReplayTheAudioBeforeIt)
{
    HostAnswers answers;
    answers.sampleRate = 44100.0f;
    auto instance = folder.instantiate(answers);
    ASSERT_TRUE(instance);
    ASSERT_TRUE(WaitForSampleData(*instance));
    constexpr int kBlock = 512;
    instance->setBlockSize(kBlock);
    std::vector<float> left(kBlock), right(kBlock);
    std::vector<PluginInstance::Midi> chord;
    for (uint8_t key = 40; key <= 80; ++key)
        chord.push_back({0, 0x90, key, 127});
    instance->sendMidi(chord);
    float before = 0.0f;
    for (int b = 0; b < 40; ++b)
    {
        instance->processReplacing(left.data(), right.data(), kBlock);
        for (float x : left)
            before = std::max(before, std::fabs(x));
    }
    instance->dispatch(effMainsChanged, 0, 0);
    instance->setSampleRate(176400.0f);
    instance->dispatch(effMainsChanged, 0, 1);
    instance->processReplacing(left.data(), right.data(), kBlock);
    float after = 0.0f;
    for (float x : left)
        after = std::max(after, std::fabs(x));
    ASSERT_GT(before, 0.3f);
    EXPECT_LT(after, 0.05f * before);
}

INSTANTIATE_TEST_SUITE_P(RateChanges, OutputCeilingTest,
                         ::testing::Values(std::make_pair(96000.0f, 8000.0f),
                                           std::make_pair(8000.0f, 96000.0f),
                                           std::make_pair(44100.0f, 22050.0f),
                                           std::make_pair(22050.0f, 88200.0f)));

} // namespace
