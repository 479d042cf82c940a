#include "PieceRun.h"

#include <algorithm>

void PieceRun::playUntil(uint64_t endFrame)
{
    if (!notes || blockFrames <= 0)
        return;
    endFrame = std::min(endFrame, notes->frames);
    const double begun = BlockTimes::ThreadSeconds();
    for (; start < endFrame; start += static_cast<uint64_t>(blockFrames))
        playBlock();
    processorSeconds += BlockTimes::ThreadSeconds() - begun;
}
