#include "Lv2PieceRun.h"

#include "platform/Platform.h"

bool Lv2PieceRun::open(formathost::Lv2Host& host, const NoteSequence& piece, int sampleRate, int frames,
                       std::string& error)
{
    plugin = host.instantiate(sampleRate, frames);
    if (!plugin)
    {
        error = "the LV2 plug-in gives no instance";
        return false;
    }
    left.assign(static_cast<size_t>(frames), 0.0f);
    right.assign(static_cast<size_t>(frames), 0.0f);
    startPiece(piece, frames);
    return true;
}

void Lv2PieceRun::playBlock()
{
    midi.clear();
    const uint64_t end = start + static_cast<uint64_t>(blockFrames);
    for (; next < notes->events.size() && notes->events[next].frame < end; ++next)
    {
        const TimedEvent& event = notes->events[next];
        midi.push_back({static_cast<int64_t>(event.frame - start), {event.status, event.data1, event.data2}});
    }
    plugin->connect(left.data(), right.data(), midi);
    const double threadBegin = platform::ThreadProcessorSeconds();
    plugin->runConnected(blockFrames);
    threadTimes.add(platform::ThreadProcessorSeconds() - threadBegin);
}
