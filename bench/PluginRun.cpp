#include "PluginRun.h"

#include <chrono>
#include <thread>
#include <vector>

#include "support/AllocationCounter.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
constexpr VstInt32 kSampleDataLoaded = 1004;
} // namespace

bool RunPlugin(const std::string& bank, const NoteSequence& notes, int sampleRate, int blockFrames,
               PluginRun& run, std::string& error)
{
    PluginFolder folder;
    folder.copyIn(bank, "DAT");
    folder.addStringTable();
    HostAnswers answers;
    answers.sampleRate = sampleRate;
    answers.blockSize = blockFrames;
    auto plugin = folder.instantiate(answers);
    if (!plugin)
    {
        error = "the plug-in gives no instance";
        return false;
    }
    // The sample data arrives in the background; the piece is played once all of it is there.
    for (int i = 0; i < 6000 && plugin->dispatch(effVendorSpecific, kSampleDataLoaded) != 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (plugin->dispatch(effVendorSpecific, kSampleDataLoaded) != 1)
    {
        error = "the plug-in's sample data did not arrive";
        return false;
    }
    plugin->setSampleRate(static_cast<float>(sampleRate));
    plugin->setBlockSize(blockFrames);
    plugin->dispatch(effMainsChanged, 0, 1);
    for (const auto& [index, value] : run.parameters)
        plugin->setParameter(index, value);

    // The block's event list is built here, ahead, so that the host's own work allocates nothing while
    // the plug-in's heap operations are counted.
    std::vector<float> left(static_cast<size_t>(blockFrames)), right(static_cast<size_t>(blockFrames));
    std::vector<VstMidiEvent> midi(notes.events.size());
    std::vector<unsigned char> listStorage(sizeof(VstEvents) + notes.events.size() * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(listStorage.data());
    const uint64_t warmUpFrames = static_cast<uint64_t>(sampleRate);
    run.times.measure(
        [&]
        {
            size_t next = 0;
            for (uint64_t start = 0; start < notes.frames; start += static_cast<uint64_t>(blockFrames))
            {
                list->numEvents = 0;
                while (next < notes.events.size() &&
                       notes.events[next].frame < start + static_cast<uint64_t>(blockFrames))
                {
                    const TimedEvent& event = notes.events[next];
                    VstMidiEvent& m = midi[next++];
                    m = VstMidiEvent{};
                    m.type = kVstMidiType;
                    m.byteSize = sizeof(VstMidiEvent);
                    m.deltaFrames = static_cast<VstInt32>(event.frame - start);
                    m.midiData[0] = static_cast<char>(event.status);
                    m.midiData[1] = static_cast<char>(event.data1);
                    m.midiData[2] = static_cast<char>(event.data2);
                    list->events[list->numEvents++] = reinterpret_cast<VstEvent*>(&m);
                }
                long heapOperations = 0;
                const auto begin = BlockTimes::Clock::now();
                const double threadBegin = BlockTimes::ThreadSeconds();
                std::chrono::steady_clock::time_point rendering;
                {
                    const AllocationCounter allocations;
                    if (list->numEvents > 0)
                        plugin->dispatch(effProcessEvents, 0, 0, list);
                    rendering = BlockTimes::Clock::now();
                    plugin->processReplacing(left.data(), right.data(), blockFrames);
                    heapOperations = allocations.count();
                }
                const auto end = BlockTimes::Clock::now();
                run.threadTimes.add(BlockTimes::ThreadSeconds() - threadBegin);
                run.times.add(end - begin);
                run.renderTimes.add(end - rendering);
                if (start >= warmUpFrames)
                    run.allocationsAfterWarmUp += heapOperations;
            }
        });
    return true;
}
