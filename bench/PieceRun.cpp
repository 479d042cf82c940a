#include "PieceRun.h"

#include <algorithm>

#include "platform/Platform.h"

void PieceRun::playUntil(uint64_t endFrame)
{
    if (!notes || blockFrames <= 0)
        return;
    endFrame = std::min(endFrame, notes->frames);
    const double begun = platform::ThreadProcessorSeconds();
    for (; start < endFrame; start += static_cast<uint64_t>(blockFrames))
        playBlock();
    processorSeconds += platform::ThreadProcessorSeconds() - begun;
}
