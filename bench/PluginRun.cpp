#include "PluginRun.h"

#include <algorithm>

#include "platform/Platform.h"
#include "support/AllocationCounter.h"

using namespace host;
using namespace plughost;

namespace
{
HostAnswers Answers(int sampleRate, int frames)
{
    HostAnswers answers;
    answers.sampleRate = sampleRate;
    answers.blockSize = frames;
    return answers;
}
} // namespace

bool PluginRun::open(const std::string& bank, const NoteSequence& piece, int sampleRate, int frames,
                     const ParameterValues& parameters, std::string& error)
{
    folder.copyIn(bank, "DAT");
    folder.addStringTable();
    return openInstance(folder.instantiate(Answers(sampleRate, frames)), piece, sampleRate, frames,
                        parameters, error);
}

bool PluginRun::open(PluginHost& linked, const NoteSequence& piece, int sampleRate, int frames,
                     std::string& error)
{
    return openInstance(linked.instantiate(Answers(sampleRate, frames)), piece, sampleRate, frames, {},
                        error);
}

bool PluginRun::openInstance(std::unique_ptr<PluginInstance> instance, const NoteSequence& piece,
                             int sampleRate, int frames, const ParameterValues& parameters,
                             std::string& error)
{
    plugin = std::move(instance);
    if (!plugin)
    {
        error = "the plug-in gives no instance";
        return false;
    }
    // The sample data arrives in the background; the piece is played once all of it is there.
    if (!WaitForSampleData(*plugin))
    {
        error = "the plug-in's sample data did not arrive";
        return false;
    }
    plugin->setSampleRate(static_cast<float>(sampleRate));
    plugin->setBlockSize(frames);
    plugin->dispatch(effMainsChanged, 0, 1);
    for (const auto& [index, value] : parameters)
        plugin->setParameter(index, value);
    warmUpFrames = static_cast<uint64_t>(sampleRate);
    left.assign(static_cast<size_t>(frames), 0.0f);
    right.assign(static_cast<size_t>(frames), 0.0f);
    pieceEvents.prepare(piece);
    startPiece(piece, frames);
    return true;
}

void PluginRun::playBlock()
{
    VstEvents* list = pieceEvents.take(*notes, next, start, start + static_cast<uint64_t>(blockFrames));
    long heapOperations = 0;
    const auto begin = BlockTimes::Clock::now();
    const double threadBegin = platform::ThreadProcessorSeconds();
    BlockTimes::Clock::time_point rendering;
    {
        const AllocationCounter allocations;
        if (list->numEvents > 0)
            plugin->dispatch(effProcessEvents, 0, 0, list);
        rendering = BlockTimes::Clock::now();
        plugin->processReplacing(left.data(), right.data(), blockFrames);
        heapOperations = allocations.count();
    }
    const auto finished = BlockTimes::Clock::now();
    threadTimes.add(platform::ThreadProcessorSeconds() - threadBegin);
    times.add(finished - begin);
    renderTimes.add(finished - rendering);
    if (start >= warmUpFrames)
        allocationsAfterWarmUp += heapOperations;
}
