#include "render/BlockPlayer.h"

#include <algorithm>

namespace render
{

BlockPlayer::BlockPlayer(uint32_t framesPerBlock)
    : blockSize(framesPerBlock == 0 ? 1 : framesPerBlock), left(framesPerBlock), right(framesPerBlock)
{
}

uint64_t BlockPlayer::framesToRender(const std::vector<ScheduledMessage>& messages, uint64_t endFrame,
                                     uint64_t tailFrames)
{
    uint64_t frames = endFrame;
    if (!messages.empty())
        frames = std::max(frames, messages.back().frame + 1);
    return frames + tailFrames;
}

bool BlockPlayer::play(const std::vector<ScheduledMessage>& messages, uint64_t totalFrames,
                       RenderTarget& target, const Consumer& consume, const Progress& progress)
{
    size_t next = 0;
    uint64_t done = 0;
    for (uint64_t block = 0; done < totalFrames; ++block)
    {
        const uint32_t frames = uint32_t(std::min<uint64_t>(blockSize, totalFrames - done));
        size_t end = next;
        while (end < messages.size() && messages[end].block == block && messages[end].offset < frames)
            ++end;
        if (end > next)
            target.sendEvents(messages.data() + next, end - next);
        next = end;

        std::fill(left.begin(), left.begin() + frames, 0.0f);
        std::fill(right.begin(), right.begin() + frames, 0.0f);
        target.process(left.data(), right.data(), frames);
        if (!consume(left.data(), right.data(), frames))
            return false;
        done += frames;
        if (progress)
            progress(done, totalFrames);
    }
    return true;
}

} // namespace render
