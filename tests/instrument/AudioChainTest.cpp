// The audio block after the engine: volume, the reverb send and its sleep, observed in the output of an
// instrument playing a noise bank.
#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"

namespace
{
constexpr float kLimiterThreshold = 0.944f; // -0.5 dB

class AudioChain : public PlayingInstrument
{
protected:
    // A fresh instrument with the reverb send off, playing one quiet note at the given volume.
    PlayingInstrument::Block playAtVolume(float volume)
    {
        synth.reset();
        start(instrumenttest::NoiseBank());
        synth->setParameter(2, 0.0f);
        synth->setParameter(4, volume);
        render(256);
        sendHost({{17, kNoteOn, 60, 60}});
        return render(8192, 256);
    }

    void setReverbAmount(float amount) { synth->setParameter(2, amount); }
};

class ReverbSleep : public AudioChain, public ::testing::WithParamInterface<int>
{
};
} // namespace

TEST_F(AudioChain, VolumeHalfLeavesTheSignalAsTheLimiterGetsItAndVolumeZeroByParameterOrControllerIsSilence)
{
    EXPECT_TRUE(playAtVolume(0.0f).allZero());
    const Block quarter = playAtVolume(0.25f);
    const Block full = playAtVolume(1.0f);
    const Block half = playAtVolume(0.5f);
    ASSERT_GT(half.peak(), 0.01f);
    // Below the threshold the limiter only delays; scaling by a power of two is exact, so the three
    // renders differ by exactly 2 only when volume 0.5 leaves the samples untouched.
    ASSERT_LT(full.peak(), kLimiterThreshold);
    for (size_t i = 0; i < half.left.size(); ++i)
    {
        ASSERT_EQ(full.left[i], half.left[i] * 2.0f) << "frame " << i;
        ASSERT_EQ(full.right[i], half.right[i] * 2.0f) << "frame " << i;
        ASSERT_EQ(quarter.left[i], half.left[i] * 0.5f) << "frame " << i;
        ASSERT_EQ(quarter.right[i], half.right[i] * 0.5f) << "frame " << i;
    }

    // Controller 7 sets the volume at the next block; then the limiter's look-ahead still holds the louder
    // samples.
    sendHost({{0, kControl, 7, 0}});
    render(512, 256);
    EXPECT_TRUE(render(2048, 256).allZero());
}

// With reverb the chain sleeps after two seconds of quiet audio, whatever the block size; blocks shorter
// than a millisecond must add up too.
TEST_P(ReverbSleep, ASilentChainWithoutReverbSleepsAtOnceAndWithReverbAfterTwoSecondsOfQuietAudio)
{
    const int blockFrames = GetParam();
    const int expectedBlocks = 2 * 44100 / blockFrames;
    start(instrumenttest::NoiseBank());
    setReverbAmount(0.0f);
    EXPECT_TRUE(render(blockFrames).allZero());
    EXPECT_TRUE(synth->reverbAsleep());
    setReverbAmount(1.0f);
    render(blockFrames);
    sendHost({{0, kNoteOn, 60, 1}});
    render(256);
    EXPECT_FALSE(synth->reverbAsleep());
    sendHost({{0, kNoteOff, 60, 0}});
    int blocks = 0;
    Block last;
    while (!synth->reverbAsleep() && blocks < 3 * expectedBlocks)
    {
        last = render(blockFrames);
        ++blocks;
    }
    // The released voice takes some milliseconds to die away in the engine.
    EXPECT_GE(blocks, expectedBlocks);
    EXPECT_LE(blocks, expectedBlocks + 30 * 44100 / 1000 / blockFrames + 2);
    EXPECT_FALSE(last.allZero()) << "the quiet tail is still played until the chain sleeps";
    // What the limiter's look-ahead still holds comes out first, then nothing.
    for (int played = 0; played < synth->outputDelay(); played += blockFrames)
        render(blockFrames);
    EXPECT_TRUE(render(blockFrames).allZero());

    sendHost({{0, kNoteOn, 60, 100}});
    EXPECT_FALSE(render(blockFrames).allZero());
    EXPECT_FALSE(synth->reverbAsleep());
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, ReverbSleep, ::testing::Values(256, 100, 16));

TEST_F(AudioChain, ReverbAmountZeroStopsARingingTailAtOnce)
{
    start(instrumenttest::NoiseBank());
    setReverbAmount(1.0f);
    synth->setParameter(3, 0.5f); // Cathedral
    render(256);
    sendHost({{0, kNoteOn, 60, 100}});
    render(8192, 256);
    sendHost({{0, kNoteOff, 60, 0}});
    render(4352, 256);
    const Block ringing = render(1024, 256);
    ASSERT_GT(ringing.peak(), 0.001f);

    setReverbAmount(0.0f);
    // The limiter's look-ahead still holds what it took in before.
    render(512, 256);
    const Block cleared = render(1024, 256);
    setReverbAmount(1.0f);
    const Block again = render(4096, 256);
    EXPECT_LT(cleared.peak(), 1e-6f);
    // Clearing keeps only the reverb's shelf, low-pass and cross-feedback memories: what they stir up is
    // more than 30 dB below the tail that was ringing.
    const double ringingPerFrame = ringing.energy() / static_cast<double>(ringing.left.size());
    const double againPerFrame = again.energy() / static_cast<double>(again.left.size());
    EXPECT_LT(againPerFrame, ringingPerFrame * 1e-3) << "the tail must not come back with the amount";
}
