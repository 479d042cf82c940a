#pragma once

#include "render/FrameScheduler.h"

#include <cstddef>
#include <cstdint>

namespace render
{

// Whatever turns a block's MIDI messages into sound: the plug-in, or a stand-in in tests.
class RenderTarget
{
public:
    virtual ~RenderTarget() = default;
    // The coming block's messages, in order; each one's offset lies inside the block.
    virtual void sendEvents(const ScheduledMessage* messages, size_t count) = 0;
    // Fills frames samples of both channels.
    virtual void process(float* left, float* right, uint32_t frames) = 0;
};

} // namespace render
