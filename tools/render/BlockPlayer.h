#pragma once

#include "render/FrameScheduler.h"
#include "render/RenderTarget.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace render
{

// Drives a render target block by block: before each block it hands over that block's messages, then has
// the block processed and passes the audio on. The last block is shorter when the length is not a
// multiple of the block size.
class BlockPlayer
{
public:
    // Receives each finished block; false stops the render (the output could not be written).
    using Consumer = std::function<bool(const float* left, const float* right, uint32_t frames)>;
    using Progress = std::function<void(uint64_t framesDone, uint64_t totalFrames)>;

    explicit BlockPlayer(uint32_t framesPerBlock);

    // Frames to render: up to the end of the piece or just past its last message, whichever is later,
    // then the tail.
    static uint64_t framesToRender(const std::vector<ScheduledMessage>& messages, uint64_t endFrame,
                                   uint64_t tailFrames);

    // messages must be scheduled with this player's block size and be in frame order.
    bool play(const std::vector<ScheduledMessage>& messages, uint64_t totalFrames, RenderTarget& target,
              const Consumer& consume, const Progress& progress = nullptr);

private:
    uint32_t blockSize;
    std::vector<float> left;
    std::vector<float> right;
};

} // namespace render
