// The resonance envelope as the synthesizer receives it: controller 21, the value of each step and the
// frame it arrives at, counted in the frames the engine has rendered, mostly one frame per block at 44100 Hz.
#include <algorithm>
#include <functional>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"

namespace
{
class ResonanceEnvelope : public PlayingInstrument
{
protected:
    void SetUp() override
    {
        PlayingInstrument::SetUp();
        start(instrumenttest::NoiseBank());
        ASSERT_EQ(synth->getSampleRate(), 44100.0f);
        render(64);
    }

    // Renders single frames, at least one, while the condition holds.
    void renderFramesWhile(const std::function<bool()>& more)
    {
        do
            render(1);
        while (more() && framesCounted() < 20000);
    }

    // Sends the pedal and renders until the envelope rests; gives its steps (controller 21), their frames
    // counted from the pedal's.
    std::vector<EngineEvent> pedal(int value)
    {
        countFrames();
        sendHost({{0, kControl, 64, value}});
        renderFramesWhile([this] { return synth->resonance().active(); });
        return controllers(21);
    }

    static std::vector<int> values(const std::vector<EngineEvent>& steps)
    {
        std::vector<int> found(steps.size());
        std::transform(steps.begin(), steps.end(), found.begin(),
                       [](const EngineEvent& step) { return step.data2; });
        return found;
    }
};
} // namespace

TEST_F(ResonanceEnvelope, AFallThatTurnsBackToARiseAndFallsAgainCarriesOnFromTheLastValueSent)
{
    pedal(127);
    // Fall until 57 has been sent, then press and at once release again.
    countFrames();
    sendHost({{0, kControl, 64, 0}});
    renderFramesWhile([this] { return synth->resonance().lastSent() != 57; });
    ASSERT_EQ(synth->resonance().lastSent(), 57);
    sendHost({{0, kControl, 64, 127}, {0, kControl, 64, 0}});
    renderFramesWhile([this] { return synth->resonance().active(); });
    EXPECT_EQ(values(controllers(21)),
              (std::vector<int>{117, 107, 97, 87, 77, 67, 57, 47, 37, 27, 17, 7, 0}));
}

TEST_F(ResonanceEnvelope, PressingAgainAtTheTopEndsAtOnceWithoutSending)
{
    pedal(127);
    const auto again = pedal(127);
    EXPECT_TRUE(again.empty());
    EXPECT_EQ(framesCounted(), 1);
}

TEST_F(ResonanceEnvelope, TheAmountIsSentAsController22Truncated)
{
    synth->setParameter(6, 1.0f);
    render(16);
    synth->setParameter(6, 0.3f);
    render(16);
    const auto amounts = controllers(22);
    ASSERT_EQ(amounts.size(), 2u);
    EXPECT_EQ(amounts[0].data2, 127);
    EXPECT_EQ(amounts[1].data2, 38);
}

TEST_F(ResonanceEnvelope, AChangeOfSampleRateRestsTheEnvelopeAtZeroWithoutSending)
{
    pedal(127);
    synth->setSampleRate(44100.0f);
    EXPECT_EQ(synth->resonance().lastSent(), 127) << "the same rate changes nothing";
    synth->setSampleRate(48000.0f);
    countFrames();
    render(1);
    EXPECT_TRUE(controllers(21).empty());
    EXPECT_FALSE(synth->resonance().active());
    EXPECT_EQ(synth->resonance().lastSent(), 0);
    // The next rise starts from 0 and takes the new rate's 250 ms.
    const auto rise = pedal(127);
    ASSERT_FALSE(rise.empty());
    EXPECT_EQ(rise.front().data2, 10);
    EXPECT_EQ(rise.back().data2, 127);
    EXPECT_NEAR(static_cast<double>(framesCounted()), 12000.0, 1.0);
}

// In blocks of any size each step reaches the engine just before the frame it belongs to: the engine has
// rendered exactly the frames before it (the first step comes before frame 869 of the rise, the last
// before frame 11026).
TEST_F(ResonanceEnvelope, InLargeBlocksEachStepStillReachesTheEngineBeforeItsFrame)
{
    for (const int blockFrames : {256, 100, 4096})
    {
        pedal(0);
        countFrames();
        sendHost({{0, kControl, 64, 127}});
        render(11100, blockFrames);
        const auto rise = controllers(21);
        ASSERT_EQ(values(rise), (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 127}))
            << blockFrames;
        EXPECT_EQ(rise.front().frame, 868) << blockFrames;
        EXPECT_EQ(rise.back().frame, 11025) << blockFrames;
    }
}
