#include "render/FrameScheduler.h"

namespace render
{

FrameScheduler::FrameScheduler(uint64_t unitsPerSecond, uint32_t sampleRate, uint32_t blockSize)
    : unitsPerSecond_(unitsPerSecond == 0 ? 1 : unitsPerSecond), sampleRate_(sampleRate),
      blockSize_(blockSize == 0 ? 1 : blockSize)
{
}

uint64_t FrameScheduler::frameAt(uint64_t timeUnits) const
{
    // Whole seconds and the remainder separately: the remainder times the rate stays far inside 64 bits.
    const uint64_t seconds = timeUnits / unitsPerSecond_;
    const uint64_t rest = timeUnits % unitsPerSecond_;
    return seconds * sampleRate_ + (rest * sampleRate_ + unitsPerSecond_ / 2) / unitsPerSecond_;
}

std::vector<ScheduledMessage> FrameScheduler::schedule(const std::vector<MidiMessage>& messages) const
{
    std::vector<ScheduledMessage> scheduled;
    scheduled.reserve(messages.size());
    for (const MidiMessage& message : messages)
    {
        ScheduledMessage s;
        s.frame = frameAt(message.timeUnits);
        s.block = s.frame / blockSize_;
        s.offset = static_cast<uint32_t>(s.frame % blockSize_);
        s.message = message;
        scheduled.push_back(s);
    }
    return scheduled;
}

} // namespace render
