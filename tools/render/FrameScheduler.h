#pragma once

#include "render/MidiMessage.h"

#include <cstdint>
#include <vector>

namespace render
{

struct ScheduledMessage
{
    uint64_t frame = 0;  // from the start of the render
    uint64_t block = 0;  // frame / block size
    uint32_t offset = 0; // frame within its block
    MidiMessage message;
};

// Places timed messages on sample frames and into processing blocks. A message goes to the frame nearest its
// exact time (halves round up), computed in integers so nothing drifts over a long piece. The input order
// is kept, so messages on the same frame stay in file order.
class FrameScheduler
{
public:
    // unitsPerSecond: the MIDI file's time units; sampleRate and blockSize must be above 0.
    FrameScheduler(uint64_t timeUnitsPerSecond, uint32_t rateHz, uint32_t framesPerBlock);

    uint64_t frameAt(uint64_t timeUnits) const;
    std::vector<ScheduledMessage> schedule(const std::vector<MidiMessage>& messages) const;

private:
    uint64_t unitsPerSecond;
    uint32_t sampleRate;
    uint32_t blockSize;
};

} // namespace render
