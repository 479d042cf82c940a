#include "render/FrameScheduler.h"

namespace render
{

FrameScheduler::FrameScheduler(uint64_t timeUnitsPerSecond, uint32_t rateHz, uint32_t framesPerBlock)
    : unitsPerSecond(timeUnitsPerSecond == 0 ? 1 : timeUnitsPerSecond), sampleRate(rateHz),
      blockSize(framesPerBlock == 0 ? 1 : framesPerBlock)
{
}

uint64_t FrameScheduler::frameAt(uint64_t timeUnits) const
{
    // Whole seconds and the remainder separately: the remainder times the rate stays far inside 64 bits.
    const uint64_t seconds = timeUnits / unitsPerSecond;
    const uint64_t rest = timeUnits % unitsPerSecond;
    return seconds * sampleRate + (rest * sampleRate + unitsPerSecond / 2) / unitsPerSecond;
}

std::vector<ScheduledMessage> FrameScheduler::schedule(const std::vector<MidiMessage>& messages) const
{
    std::vector<ScheduledMessage> scheduled;
    scheduled.reserve(messages.size());
    for (const MidiMessage& message : messages)
    {
        ScheduledMessage s;
        s.frame = frameAt(message.timeUnits);
        s.block = s.frame / blockSize;
        s.offset = static_cast<uint32_t>(s.frame % blockSize);
        s.message = message;
        scheduled.push_back(s);
    }
    return scheduled;
}

} // namespace render
