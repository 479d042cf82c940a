#include "render/BlockPlayer.h"

#include <gtest/gtest.h>

using namespace render;

namespace
{

// Records what the player asks of it; marks each block's first sample with the block's number.
class RecordingTarget : public RenderTarget
{
public:
    void sendEvents(const ScheduledMessage* messages, size_t count) override
    {
        for (size_t i = 0; i < count; ++i)
            received.push_back({blocks, messages[i].offset, messages[i].message.data1});
    }
    void process(float* left, float* right, uint32_t frames) override
    {
        EXPECT_EQ(left[0], 0.0f) << "buffers start silent";
        left[0] = float(blocks);
        right[frames - 1] = 1.0f;
        blockFrames.push_back(frames);
        ++blocks;
    }

    struct Received
    {
        uint64_t block;
        uint32_t offset;
        uint8_t key;
    };
    std::vector<Received> received;
    std::vector<uint32_t> blockFrames;
    uint64_t blocks = 0;
};

ScheduledMessage at(uint64_t frame, uint32_t blockSize, uint8_t key)
{
    ScheduledMessage s;
    s.frame = frame;
    s.block = frame / blockSize;
    s.offset = uint32_t(frame % blockSize);
    s.message.status = 0x90;
    s.message.data1 = key;
    s.message.data2 = 90;
    return s;
}

} // namespace

TEST(BlockPlayer, EachBlockGetsItsOwnMessagesBeforeItIsProcessed)
{
    const std::vector<ScheduledMessage> messages = {at(0, 4, 1), at(3, 4, 2), at(3, 4, 3), at(9, 4, 4)};
    RecordingTarget target;
    BlockPlayer player(4);
    std::vector<float> firstSamples;
    ASSERT_TRUE(player.play(messages, 12, target,
                            [&](const float* left, const float*, uint32_t)
                            {
                                firstSamples.push_back(left[0]);
                                return true;
                            }));
    ASSERT_EQ(target.received.size(), 4u);
    EXPECT_EQ(target.received[0].block, 0u);
    EXPECT_EQ(target.received[1].offset, 3u);
    EXPECT_EQ(target.received[2].key, 3) << "same frame, same order";
    EXPECT_EQ(target.received[3].block, 2u);
    EXPECT_EQ(target.received[3].offset, 1u);
    EXPECT_EQ(firstSamples, (std::vector<float>{0.0f, 1.0f, 2.0f}));
}

TEST(BlockPlayer, LastBlockIsShortWhenTheLengthIsNotAMultiple)
{
    RecordingTarget target;
    BlockPlayer player(256);
    uint64_t written = 0;
    ASSERT_TRUE(player.play({}, 600, target,
                            [&](const float*, const float* right, uint32_t frames)
                            {
                                EXPECT_EQ(right[frames - 1], 1.0f);
                                written += frames;
                                return true;
                            }));
    EXPECT_EQ(target.blockFrames, (std::vector<uint32_t>{256, 256, 88}));
    EXPECT_EQ(written, 600u);
}

TEST(BlockPlayer, FramesToRenderCoverTheLastMessageAndTheTail)
{
    EXPECT_EQ(BlockPlayer::framesToRender({}, 1000, 50), 1050u);
    EXPECT_EQ(BlockPlayer::framesToRender({at(999, 64, 1)}, 1000, 50), 1050u);
    EXPECT_EQ(BlockPlayer::framesToRender({at(1000, 64, 1)}, 1000, 50), 1051u)
        << "a message on the end frame";
    EXPECT_EQ(BlockPlayer::framesToRender({at(1200, 64, 1)}, 1000, 0), 1201u);
}

TEST(BlockPlayer, FailingOutputStopsTheRender)
{
    RecordingTarget target;
    BlockPlayer player(16);
    int calls = 0;
    EXPECT_FALSE(
        player.play({}, 160, target, [&](const float*, const float*, uint32_t) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(target.blocks, 3u);
}

TEST(BlockPlayer, ProgressCountsFramesDone)
{
    RecordingTarget target;
    BlockPlayer player(100);
    std::vector<uint64_t> done;
    ASSERT_TRUE(player.play(
        {}, 250, target, [](const float*, const float*, uint32_t) { return true; },
        [&](uint64_t frames, uint64_t total)
        {
            EXPECT_EQ(total, 250u);
            done.push_back(frames);
        }));
    EXPECT_EQ(done, (std::vector<uint64_t>{100, 200, 250}));
}
