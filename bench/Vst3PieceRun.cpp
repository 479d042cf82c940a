#include "Vst3PieceRun.h"

#include "platform/Platform.h"

using namespace host;

bool Vst3PieceRun::open(formathost::Vst3Host& host, const NoteSequence& piece, int sampleRate, int frames,
                        std::string& error)
{
    plugin = host.instantiate();
    if (!plugin || !plugin->start(sampleRate, frames))
    {
        error = "the VST3 plug-in gives no instance or does not start";
        return false;
    }
    // A host asks the plug-in once which parameter each controller drives.
    IMidiMapping* mapping = nullptr;
    if (plugin->controller->queryInterface(IMidiMapping::iid.bytes, reinterpret_cast<void**>(&mapping)) ==
        kResultOk)
    {
        for (int16_t controller = 0; controller < 128; ++controller)
            if (ParamID id = 0; mapping->getMidiControllerAssignment(0, 0, controller, id) == kResultOk)
                mapped[controller] = id;
        mapping->release();
    }
    left.assign(static_cast<size_t>(frames), 0.0f);
    right.assign(static_cast<size_t>(frames), 0.0f);
    startPiece(piece, frames);
    return true;
}

void Vst3PieceRun::playBlock()
{
    const uint64_t end = start + static_cast<uint64_t>(blockFrames);
    for (; next < notes->events.size() && notes->events[next].frame < end; ++next)
    {
        const TimedEvent& event = notes->events[next];
        const auto offset = static_cast<int32_t>(event.frame - start);
        const int kind = event.status & 0xf0;
        if (kind == 0x90 || kind == 0x80)
            plugin->events.addNote(offset, kind == 0x90 && event.data2 > 0, event.data1,
                                   event.data2 / 127.0f);
        else if (const auto found = mapped.find(event.data1); kind == 0xB0 && found != mapped.end())
            plugin->changes.add(found->second, offset, event.data2 / 127.0);
    }
    const double threadBegin = platform::ThreadProcessorSeconds();
    plugin->process(left.data(), right.data(), blockFrames, false);
    threadTimes.add(platform::ThreadProcessorSeconds() - threadBegin);
    plugin->forgetQueued();
}
