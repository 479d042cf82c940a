#include "PluginRun.h"

#include <chrono>
#include <thread>
#include <vector>

#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
constexpr VstInt32 kSampleDataLoaded = 1004;
} // namespace

bool RunPlugin(const std::string& bank, const NoteSequence& notes, const ParameterValues& parameters,
               int sampleRate, int blockFrames, BlockTimes& blockTimes, BlockTimes& renderTimes,
               std::string& error)
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
    for (const auto& [index, value] : parameters)
        plugin->setParameter(index, value);

    std::vector<float> left(static_cast<size_t>(blockFrames)), right(static_cast<size_t>(blockFrames));
    std::vector<PluginInstance::Midi> blockEvents;
    blockTimes.measure(
        [&]
        {
            size_t next = 0;
            for (uint64_t start = 0; start < notes.frames; start += static_cast<uint64_t>(blockFrames))
            {
                blockEvents.clear();
                while (next < notes.events.size() &&
                       notes.events[next].frame < start + static_cast<uint64_t>(blockFrames))
                {
                    const TimedEvent& event = notes.events[next++];
                    blockEvents.push_back(
                        {static_cast<VstInt32>(event.frame - start), event.status, event.data1, event.data2});
                }
                const auto begin = BlockTimes::Clock::now();
                if (!blockEvents.empty())
                    plugin->sendMidi(blockEvents);
                const auto rendering = BlockTimes::Clock::now();
                plugin->processReplacing(left.data(), right.data(), blockFrames);
                const auto end = BlockTimes::Clock::now();
                blockTimes.add(end - begin);
                renderTimes.add(end - rendering);
            }
        });
    return true;
}
